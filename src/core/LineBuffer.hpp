#pragma once

// Makes standard output line-buffered, whatever it is connected to: the trace is read as it
// happens through a pipe or in a log file too, and a crash loses no finished line. Text written
// without a line end still waits for the next one. Called before anything is written.
void lineBufferStandardOutput();
