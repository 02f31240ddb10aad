#include "orvex/bandorder.h"

#include <algorithm>

namespace orvex {

namespace {

QString unattachedWarning(const Band& band) {
    return QStringLiteral("Pás „%1“ nepatří k žádnému datovému pásu a nebude vytištěn.")
        .arg(band.name);
}

void setSingle(int& slot, int index, const Page& page, QStringList& warnings) {
    if (slot < 0)
        slot = index;
    else
        warnings << QStringLiteral("Pás „%1“ je na stránce podruhé a nebude vytištěn.")
                        .arg(page.bands[index].name);
}

// A detail band can only repeat the rows of the report's one data set along with its data band.
void attachDetail(Page& page, int index, QStringList& warnings) {
    const Band& detail = page.bands[index];
    DataSection* section = page.sections.isEmpty() ? nullptr : &page.sections.last();
    if (!section) {
        warnings << unattachedWarning(detail);
        return;
    }
    const QString& master = page.bands[section->master].dataSetName;
    if (detail.dataSetName.isEmpty() ||
        detail.dataSetName.compare(master, Qt::CaseInsensitive) == 0)
        section->details << index;
    else
        warnings << QStringLiteral("Pás „%1“ čte datovou sadu „%2“, kterou sestava nemá; nebude "
                                   "vytištěn.")
                        .arg(detail.name, detail.dataSetName);
}

void linkChildren(Page& page, QStringList& warnings) {
    for (Band& band : page.bands) {
        if (band.childName.isEmpty())
            continue;
        for (int i = 0; i < page.bands.size(); ++i)
            if (page.bands[i].kind == BandKind::Child &&
                page.bands[i].name.compare(band.childName, Qt::CaseInsensitive) == 0)
                band.child = i;
        if (band.child < 0)
            warnings << QStringLiteral("Podřízený pás „%1“ pásu „%2“ na stránce není.")
                            .arg(band.childName, band.name);
    }
}

} // namespace

void attachBands(Page& page, QStringList& warnings) {
    std::stable_sort(page.bands.begin(), page.bands.end(),
                     [](const Band& a, const Band& b) { return a.top < b.top; });
    int pendingHeader = -1;
    QVector<int> pendingGroups;
    int nextFooterLevel = -1;
    for (int i = 0; i < page.bands.size(); ++i) {
        DataSection* last = page.sections.isEmpty() ? nullptr : &page.sections.last();
        switch (page.bands[i].kind) {
        case BandKind::ReportTitle:
            setSingle(page.title, i, page, warnings);
            break;
        case BandKind::PageHeader:
            setSingle(page.pageHeader, i, page, warnings);
            break;
        case BandKind::PageFooter:
            setSingle(page.pageFooter, i, page, warnings);
            break;
        case BandKind::ColumnHeader:
            setSingle(page.columnHeader, i, page, warnings);
            break;
        case BandKind::ColumnFooter:
            setSingle(page.columnFooter, i, page, warnings);
            break;
        case BandKind::ReportSummary:
            setSingle(page.summary, i, page, warnings);
            break;
        case BandKind::Header:
            if (pendingHeader >= 0)
                warnings << unattachedWarning(page.bands[pendingHeader]);
            pendingHeader = i;
            break;
        case BandKind::GroupHeader:
            pendingGroups << i;
            break;
        case BandKind::MasterData: {
            DataSection section;
            section.header = pendingHeader;
            section.master = i;
            for (int header : pendingGroups)
                section.groups << GroupLevel{header, -1};
            page.sections << section;
            nextFooterLevel = section.groups.size() - 1;
            pendingHeader = -1;
            pendingGroups.clear();
            break;
        }
        case BandKind::DetailData:
            attachDetail(page, i, warnings);
            break;
        case BandKind::Child:
            break; // found by name from the band that names it
        case BandKind::GroupFooter:
            if (last && nextFooterLevel >= 0)
                last->groups[nextFooterLevel--].footer = i;
            else
                warnings << unattachedWarning(page.bands[i]);
            break;
        case BandKind::Footer:
            if (last && last->footer < 0)
                last->footer = i;
            else
                warnings << unattachedWarning(page.bands[i]);
            break;
        }
    }
    if (pendingHeader >= 0)
        warnings << unattachedWarning(page.bands[pendingHeader]);
    for (int header : pendingGroups)
        warnings << unattachedWarning(page.bands[header]);
    linkChildren(page, warnings);
}

} // namespace orvex
