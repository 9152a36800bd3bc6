// The quiz engine's entry points.
#pragma once

// Builds the main screen and serves its buttons until the program ends.
void quiz_main();
