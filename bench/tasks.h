#pragma once
// The measured tasks; each adds its rows to the session's table.

namespace bench {

class Session;

// The real program started on the book, to its first screen with the totals.
void measureStartUp(Session& session);
// Peak memory with the book open, ReopenBook, RefreshTotals and the filter applied.
void measureBook(Session& session);
// Storing and deleting one row with the totals refreshed; a date filter of one month.
void measureChanges(Session& session);
// 1,000 random positions with every field read there.
void measureRandomMoves(Session& session);
// FindInBook without a hit, the next invoice number of both kinds, the partner picker.
void measureLookups(Session& session);
// CSV and XML export of the whole book, with the peak memory of each.
void measureExports(Session& session);
// A report of 10,000 rows written to PDF, beside the sqlite3 tool reading its rows and
// beside its own laid-out pages drawn straight on QPdfWriter.
void measureReport(Session& session);

} // namespace bench
