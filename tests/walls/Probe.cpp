// Includes the one header its build names. Built only by the walls tests, which expect the
// compiler to refuse it: a room sees no more than the rooms it links.
#include KESTRIVON_PROBE_HEADER
