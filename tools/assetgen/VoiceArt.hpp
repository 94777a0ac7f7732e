#pragma once

#include <string>

// Speaks the facility's announcements with espeak-ng and passes them through a radio channel
// (narrow band, saturation, hiss, squelch, the slap of a loudspeaker in a hall). Each line is
// normalised to the given peak, like every other effect.
void writeVoiceLines(const std::string& dataDir, float peak);
