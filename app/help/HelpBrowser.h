// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTextBrowser>
#include <functional>
#include <string>

namespace orvane::app::help {

// A QTextBrowser whose pages come from the reference in memory: "<id>.html" asks `page` for the
// topic's HTML, so links, Back and Forward work as over files.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using PageSource = std::function<std::string(const std::string& topicId)>;
    HelpBrowser(QWidget* parent, PageSource page);
    static std::string TopicOf(const QUrl& url);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    PageSource page_;
};

}  // namespace orvane::app::help
