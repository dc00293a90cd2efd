// The vendor library's 21 exported names, in table order. Kept apart so a
// host program can check a library without the binding itself.
#include "k8055d.h"

const char* const VendorEntryNames[VendorEntryCount] = {
    "OpenDevice",          "CloseDevice",         "SetCurrentDevice",
    "ReadAnalogChannel",   "ReadAllAnalog",       "OutputAnalogChannel",
    "OutputAllAnalog",     "ClearAnalogChannel",  "ClearAllAnalog",
    "SetAnalogChannel",    "SetAllAnalog",        "WriteAllDigital",
    "ClearDigitalChannel", "ClearAllDigital",     "SetDigitalChannel",
    "SetAllDigital",       "ReadDigitalChannel",  "ReadAllDigital",
    "ReadCounter",         "ResetCounter",        "SetCounterDebounceTime",
};
