#pragma once

// Shows the start window, the only window open when the program starts.
void startProgram();
