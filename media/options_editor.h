// The options editor: a question-and-answer dialogue in the terminal that
// sets the twelve media counts and writes them to sound/soundparameter.txt.
#pragma once

#include "sounds.h"

// Shows the counts, asks for each in file order (values above a count's
// limit become the limit) and saves them. Runs to its end before the caller
// handles the next event.
void runOptionsEditor();

// Writes the twelve counts, one "%i\n" line each in file order, to
// sound/soundparameter.txt. False when the file could not be opened or not
// be written completely.
bool saveSoundParameters(const SoundParameters& p);
