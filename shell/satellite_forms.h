// The windows of other subsystems that the main window opens and closes:
// the registry editor, the profile manager and the application picker
// (tools/Form3.h, tools/Form6.h, tools/Form7.h) and the performance wizard
// (pages/Form4.h).
#pragma once

#include "pages/Form4.h"
#include "shell/se_state.h"
#include "tools/Form3.h"
#include "tools/Form6.h"
#include "tools/Form7.h"
#include "ui/form.h"
