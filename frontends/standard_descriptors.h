// Standard input, output and error as the program may be started with them.
#ifndef VELK_FRONTENDS_STANDARD_DESCRIPTORS_H_
#define VELK_FRONTENDS_STANDARD_DESCRIPTORS_H_

namespace velk {

// Opens /dev/null on each of descriptors 0 to 2 that is closed. Otherwise
// the next file opened (the log, an exchange file) would take its number,
// and replies meant for a closed standard output would be written into it.
// Call first thing in main.
void OpenClosedStandardDescriptors();

}  // namespace velk

#endif  // VELK_FRONTENDS_STANDARD_DESCRIPTORS_H_
