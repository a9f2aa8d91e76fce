#pragma once

#include "profiles/CameraProfile.h"
#include "profiles/DateTimeParts.h"
#include "profiles/OwnFormatSet.h"

#include <string>

namespace zv {

// The values the windows share: one instance, owned by the application and handed to each
// window when it is built.
struct SharedValues {
    ProfileTable profileTable; // loaded by the settings window, saved only on request
    OwnFormatSet ownFormats; // the owner's own formats, after the ten in the model lists
    DateTimeParts dateTimeParts; // the moment to write, refreshed on every work tick
    std::string timeFileText; // the composed line, without its line break
    std::string timeFileBaseName; // the chosen model's file name, without ".txt"
    std::string saveDir; // root of the chosen drive
    int leadSeconds = 0; // the current moment written is now plus this (the program's options)
};

} // namespace zv
