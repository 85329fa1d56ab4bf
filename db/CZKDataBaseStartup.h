#pragma once

class CZKDataBase;
class IMessageReceiver;

// The local database's part of the program's start.
namespace CZKDataBaseStartup {

// Opens and loads `db` and tells the operator what stands in the way, in a box (CZKPrompt) and
// in a line written straight into `log` (the logger; may be null): the bus is not drained
// before a failed start ends the program.
// - Not loadable: an error naming the cause, the driver's reason when the file did not even
//   open; returns false and the program ends.
// - Loaded but only readable: a warning that changes will not be saved; returns true and the
//   program goes on.
bool openAndLoad(CZKDataBase& db, IMessageReceiver* log);

} // namespace CZKDataBaseStartup
