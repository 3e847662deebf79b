// Where the other subsystems plug their procedures into the main window's
// start-up and navigation. Each line binds one member of Form1Procedures;
// a member left empty is a step that does nothing.
#include "shell/Form1.h"

namespace ks {

void Form1::PlugProcedures() {}

}  // namespace ks
