#pragma once

#include <QString>
#include <QStringList>

namespace photara {

// What the Measure window remembers of each site: the asset, operator and notes last used
// there, so a site visited again fills itself in. Kept in the program's settings.
struct SiteDetails {
    QString asset;
    QString operatorName;
    QString notes;
};

QStringList rememberedSites();  // the latest first
SiteDetails siteDetails(const QString& site);
void rememberSite(const QString& site, const SiteDetails& details);

}  // namespace photara
