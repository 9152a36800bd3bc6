// The options editor: a question-and-answer dialogue in the terminal that
// sets the twelve media counts and writes them to sound/soundparameter.txt.
#pragma once

#include "sounds.h"

// Shows the counts, asks for each in file order (values above a count's
// limit become the limit) and saves them. Runs to its end before the caller
// handles the next event.
void runOptionsEditor();

// Where a save went, or why it did not.
struct ParameterSave {
    bool saved = false;
    std::string path;        // the file written
    std::string sharedError; // "path: reason" of the media tree's file when the user's copy was written instead
    std::string error;       // "path: reason" when nothing was saved
    bool unavailable = false; // nothing saved because no writable place exists (rights, read-only, no folder)
};

// Writes the twelve counts, one "%i\n" line each in file order, to the
// parameter file in use, replacing it whole. When the media tree's folder is
// not writable, the user's copy is written instead.
ParameterSave saveSoundParameters(const SoundParameters& p);
