// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help/HelpBrowser.h"

#include <QTextDocument>
#include <QUrl>

namespace orvane::app::help {

HelpBrowser::HelpBrowser(QWidget* parent, PageSource page) : QTextBrowser(parent), page_(std::move(page)) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

std::string HelpBrowser::TopicOf(const QUrl& url) {
    QString name = url.fileName();
    if (name.endsWith(QStringLiteral(".html"))) name.chop(5);
    return name.toStdString();
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::HtmlResource) return QTextBrowser::loadResource(type, name);
    return QString::fromStdString(page_(TopicOf(name)));
}

}  // namespace orvane::app::help
