#pragma once

class Dialogs;

// The About message: the program's name, its version and what it is for,
// with an OK button; returns when the user has dismissed it.
void AboutMessage(Dialogs &dialogs);
