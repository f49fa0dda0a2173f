// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/help/HelpBrowser.h"
#include "core/platform/AtomicFile.h"

namespace orvane::app::help {

using orvane::help::HelpTopic;
using orvane::help::Reference;

namespace {
constexpr int kTopicRole = Qt::UserRole;

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The generated pages stand under the list that names them: its id, and the prefix of theirs.
constexpr std::pair<const char*, const char*> kLists[] = {
    {Reference::kCommands, "komenda-"}, {Reference::kBoxes, "komunikat-"}, {Reference::kWarnings, "ostrzezenie-"}};

const char* ChildPrefixOf(const std::string& listId) {
    for (const auto& [id, prefix] : kLists)
        if (listId == id) return prefix;
    return nullptr;
}
}  // namespace

HelpWindow::HelpWindow(QWidget* parent, std::string dataFolder, std::vector<orvane::help::ShortcutRow> shortcuts)
    : QDialog(parent, Qt::Window), dataFolder_(std::move(dataFolder)), shortcuts_(std::move(shortcuts)) {
    setWindowTitle(QStringLiteral("Pomoc ORVANE"));
    setObjectName(QStringLiteral("helpWindow"));
    browser_ = new HelpBrowser(this, [this](const std::string& id) {
        const HelpTopic* topic = reference_->Find(id);
        return reference_->PageHtml(topic ? *topic : *reference_->Find(Reference::kContents));
    });
    Rebuild();

    auto* bar = new QToolBar(this);
    const auto add = [&](QStyle::StandardPixmap icon, const QString& text, QKeySequence keys, auto slot) {
        QAction* action = bar->addAction(style()->standardIcon(icon), text);
        action->setShortcut(keys);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText)));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QAction* back = add(QStyle::SP_ArrowBack, QStringLiteral("Wstecz"), QKeySequence::Back, [this] { browser_->backward(); });
    QAction* forward = add(QStyle::SP_ArrowForward, QStringLiteral("Dalej"), QKeySequence::Forward, [this] { browser_->forward(); });
    add(QStyle::SP_DirHomeIcon, QStringLiteral("Spis treści"), QKeySequence(Qt::ALT | Qt::Key_Home),
        [this] { Open(Reference::kContents); });
    bar->addSeparator();
    add(QStyle::SP_ArrowUp, QStringLiteral("Powiększ"), QKeySequence::ZoomIn, [this] { browser_->zoomIn(2); });
    add(QStyle::SP_ArrowDown, QStringLiteral("Pomniejsz"), QKeySequence::ZoomOut, [this] { browser_->zoomOut(2); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const HelpTopic* topic = reference_->Find(CurrentTopic());
        setWindowTitle(QStringLiteral("Pomoc ORVANE — %1").arg(Q(topic ? topic->title : std::string())));
    });

    auto* split = new QSplitter(this);
    split->addWidget(BuildSidebar());
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(split);
    resize(980, 680);
}

HelpWindow::~HelpWindow() = default;

QWidget* HelpWindow::BuildSidebar() {
    tabs_ = new QTabWidget(this);
    contents_ = new QTreeWidget(tabs_);
    contents_->setHeaderHidden(true);
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Open(item->data(0, kTopicRole).toString().toStdString()); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Open(item->data(0, kTopicRole).toString().toStdString()); });
    tabs_->addTab(contents_, QStringLiteral("Spis treści"));

    const auto listTab = [this](QLineEdit*& field, QListWidget*& list, const QString& hint, const QString& title) {
        auto* page = new QWidget(tabs_);
        auto* column = new QVBoxLayout(page);
        field = new QLineEdit(page);
        field->setPlaceholderText(hint);
        field->setClearButtonEnabled(true);
        list = new QListWidget(page);
        column->addWidget(field);
        column->addWidget(list);
        const auto open = [this](QListWidgetItem* item) { Open(item->data(kTopicRole).toString().toStdString()); };
        connect(list, &QListWidget::itemActivated, this, open);
        connect(list, &QListWidget::itemClicked, this, open);
        connect(field, &QLineEdit::returnPressed, this, [list, open] {
            if (QListWidgetItem* item = list->currentItem() ? list->currentItem() : list->item(0)) open(item);
        });
        tabs_->addTab(page, title);
    };
    listTab(indexFilter_, index_, QStringLiteral("Początek hasła"), QStringLiteral("Indeks"));
    listTab(searchText_, results_, QStringLiteral("Szukane słowa"), QStringLiteral("Szukaj"));
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::FillIndex);
    connect(searchText_, &QLineEdit::textChanged, this, &HelpWindow::RunSearch);
    FillContents();
    FillIndex({});
    return tabs_;
}

void HelpWindow::Rebuild() {
    std::string source;
    orvane::platform::AtomicFile::Read(Reference::SourcePath(dataFolder_), source);
    reference_.emplace(source, commands_, shortcuts_);
    if (contents_) {
        FillContents();
        FillIndex(indexFilter_->text());
        RunSearch();
    }
}

void HelpWindow::FillContents() {
    contents_->clear();
    QTreeWidgetItem* parent = nullptr;
    const char* childPrefix = nullptr;
    for (const HelpTopic& topic : reference_->Topics()) {
        if (topic.id == Reference::kContents) continue;
        const bool child = childPrefix && topic.id.starts_with(childPrefix);
        auto* item = child ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
        item->setText(0, Q(topic.title));
        item->setData(0, kTopicRole, Q(topic.id));
        if (const char* prefix = ChildPrefixOf(topic.id)) {
            parent = item;
            childPrefix = prefix;
        }
    }
}

void HelpWindow::FillIndex(const QString& filter) {
    index_->clear();
    for (const auto& [key, id] : reference_->Index()) {
        const QString word = Q(key);
        if (!word.startsWith(filter, Qt::CaseInsensitive)) continue;
        const HelpTopic* topic = reference_->Find(id);
        auto* item = new QListWidgetItem(QStringLiteral("%1 — %2").arg(word, Q(topic->title)), index_);
        item->setData(kTopicRole, Q(id));
    }
}

void HelpWindow::RunSearch() {
    results_->clear();
    for (const HelpTopic* topic : reference_->Search(searchText_->text().toStdString())) {
        auto* item = new QListWidgetItem(Q(topic->title), results_);
        item->setData(kTopicRole, Q(topic->id));
    }
}

std::string HelpWindow::CurrentTopic() const { return HelpBrowser::TopicOf(browser_->source()); }

void HelpWindow::Open(const std::string& topicId) {
    const std::string id = reference_->Find(topicId) ? topicId : Reference::kContents;
    if (CurrentTopic() == id) {
        browser_->reload();
    } else {
        browser_->setSource(QUrl(Q(id + ".html")));
    }
}

void HelpWindow::Present(const std::string& topicId) {
    Open(topicId);
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowTopic(const std::string& topicId) {
    Rebuild();
    Present(topicId);
}

void HelpWindow::ShowForWord(const std::string& word, const std::string& script) {
    Rebuild();
    const HelpTopic* topic = reference_->ForScriptWord(word, script);
    Present(topic ? topic->id : Reference::kContents);
}

void HelpWindow::ShowModal(const std::string& topicId) {
    Rebuild();
    Open(topicId);
    hide();
    exec();
}

}  // namespace orvane::app::help
