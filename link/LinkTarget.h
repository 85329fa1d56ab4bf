#pragma once

#include <QString>

// Where the main window's link reaches the unit. The program always uses the unit's fixed
// network and port; only a test points the link elsewhere (the fake unit on loopback), for the
// whole process, before it builds a window.
namespace LinkTarget {

struct Target {
    QString network;          // the unit is host 1, the program host 2 of it
    quint16 port = 0;         // the unit's port
    quint16 localPort = 0;    // the program's port; 0 binds the unit's port
};

Target current();
void setForTests(const Target& target);

} // namespace LinkTarget
