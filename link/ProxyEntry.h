#pragma once

#include <QString>

// One command on its way to the unit, or one reply on its way to the bus.
struct ProxyEntry {
    QString text;
    // Issued by the program itself; the replies that follow carry the "INTERNAL" tag.
    bool internal = false;
};
