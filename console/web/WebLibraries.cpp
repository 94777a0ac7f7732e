// Asio's and Beast's own code, compiled here once for every program that uses them (the web
// transport, the tests' and the benchmark's pages); everything else includes their headers
// only, with the separate-compilation macros the build sets. A file of its own, since it never
// changes: a change to the streams does not compile it again.
#include <boost/asio/impl/src.hpp>
#include <boost/beast/src.hpp>
