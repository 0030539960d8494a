#include "ui/measure/site_memory.h"

#include <QSettings>

#include "core/procedure/results_folder.h"

namespace photara {

namespace {

constexpr int kSitesKept = 20;
const QString kSitesKey = QStringLiteral("measure/sites");

// One settings group per site, named as its results folder is ("Screen 1" → screen-1).
QString groupOf(const QString& site) {
    return QStringLiteral("measure/site/") + QString::fromStdString(folderName(site.toStdString()));
}

}  // namespace

QStringList rememberedSites() { return QSettings().value(kSitesKey).toStringList(); }

SiteDetails siteDetails(const QString& site) {
    QSettings settings;
    settings.beginGroup(groupOf(site));
    return {settings.value(QStringLiteral("asset")).toString(), settings.value(QStringLiteral("operator")).toString(),
            settings.value(QStringLiteral("notes")).toString()};
}

void rememberSite(const QString& site, const SiteDetails& details) {
    if (site.trimmed().isEmpty()) return;
    QSettings settings;
    QStringList sites = settings.value(kSitesKey).toStringList();
    sites.removeAll(site);
    sites.prepend(site);
    while (sites.size() > kSitesKept) sites.removeLast();
    settings.setValue(kSitesKey, sites);
    settings.beginGroup(groupOf(site));
    settings.setValue(QStringLiteral("asset"), details.asset);
    settings.setValue(QStringLiteral("operator"), details.operatorName);
    settings.setValue(QStringLiteral("notes"), details.notes);
}

}  // namespace photara
