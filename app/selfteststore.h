#pragma once
// Test-only entry used by the crash-safety test (tests/reliability): with
// LUMIRA_SELFTEST_STORE=N in the environment, the started program appends and posts N
// invoices through the book data set, with the record commands' hooks, and prints
// "stored <Id> <Cislo>" to stdout each time a post has returned. Afterwards it simply keeps
// running. Without the variable nothing changes.

#include <QString>
#include <QVariantMap>

class THlavni;

namespace selftest {

// Number of the index-th row stored by the process pid: "K<pid>-<index>".
QString rowNumber(qint64 pid, int index);
// Field values of that row (Cislo included), as the data set is given them.
QVariantMap rowValues(qint64 pid, int index);
// Starts storing when the environment asks for it.
void startStoring(THlavni& window);

} // namespace selftest
