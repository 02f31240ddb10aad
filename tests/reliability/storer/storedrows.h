#pragma once
// The rows that lumira-storer stores, so a test can check each one it reported.

#include <QString>
#include <QVariantMap>

namespace storer {

// Number of the index-th row stored by the process pid: "K<pid>-<index>".
QString rowNumber(qint64 pid, int index);
// Field values of that row (Cislo included), as the data set is given them.
QVariantMap rowValues(qint64 pid, int index);

} // namespace storer
