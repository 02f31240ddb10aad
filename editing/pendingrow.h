#pragma once
// Small steps on the book's pending row shared by the record commands and the record editor.

namespace engine {
class DataSet;
}

namespace editing {

// True while a row is being corrected or a new row waits to be stored.
bool isPending(const engine::DataSet& book);
// Puts a browsing row into editing (an empty book gets a new row, as typing into it would);
// true when a row is pending afterwards. A refusal is shown.
bool beginEditing(engine::DataSet& book);
// Shows why the data set refused a store, a move or a deletion. An empty error means the
// check before storing refused and has told the user already.
void reportRefusal(const engine::DataSet& book);
// Before a correction is stored: when another copy of the program has changed the row since
// the correction began, asks whether to overwrite it. False keeps the row pending.
bool mayOverwriteStoredRow(engine::DataSet& book);

} // namespace editing
