#include "dialogs.h"

Dialogs::~Dialogs() = default;
