#pragma once

#include <QString>

// Plays a WAV file without waiting for its end; nothing where the system
// has no way to. One file per system.
void Joue_Son(const QString &chemin);
