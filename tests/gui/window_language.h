// SPDX-License-Identifier: GPL-3.0-or-later
// The window's texts are English in the code and Japanese by the built-in translation, which the
// program installs unless the locale asks for English. The tests run with it installed; a test of
// the English texts takes it away for a while.
#pragma once

#include "translation.h"

namespace vesk::testing {

// Installs the Japanese translations (the program's and Qt's), or takes them away.
void useJapanese(bool japanese);

} // namespace vesk::testing
