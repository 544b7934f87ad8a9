#pragma once

class Main;

// Timings of the real program, for the benchmark that starts it as an
// operator would. Only when the environment variable KOB_MESURE is set:
// "demarrage" prints "pret" once the window shows its list, then quits;
// "actions" then times each operator action 9 times, prints
// "action <name> <milliseconds>" for each, and quits. Otherwise nothing.
namespace Mesure {

bool Demandee();
// Before the main window exists: no message box will wait for a person.
void Prepare();
// Once it is shown.
void Lance(Main &fenetre);

} // namespace Mesure
