// The forms toolkit: the loop, forms, every control kind, control arrays.
#pragma once

#include "ui/app.h"
#include "ui/buttons.h"
#include "ui/control.h"
#include "ui/control_array.h"
#include "ui/file_lists.h"
#include "ui/form.h"
#include "ui/lists.h"
#include "ui/menu.h"
#include "ui/pictures.h"
#include "ui/scrollbar.h"
#include "ui/text.h"
#include "ui/timer.h"
#include "ui/toolbar.h"
