#include "pages/about_box.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/desktop.h"
#include "widget_names.h"
#include "window/about_box_texts.h"

namespace kordex::app {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text that looks and acts like a web link: underlined, blue, a hand over it.
QLabel* LinkLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = Named(new QLabel(text, parent), name);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

class ClickableLabelFilter : public QObject {
  public:
    ClickableLabelFilter(QObject* parent, std::function<void()> onClick)
        : QObject(parent), onClick_(std::move(onClick)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            onClick_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onClick_;
};

}  // namespace

TAboutBox::TAboutBox(Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(Text(kAboutCaption));
    setModal(true);

    auto* title = Named(new QLabel(Text(kAboutTitle), this), "ProductName");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(18);
    title->setFont(titleFont);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    for (std::string_view line : kAboutLines)
        layout->addWidget(new QLabel(Text(line), this));
    struct Link {
        const char* name;
        std::string_view text;
        std::string_view address;
    };
    const Link links[] = {
        {"ClanSiteLink", kAboutClanThreadLabel, kAboutClanThreadAddress},
        {"ForumLink", kAboutForumThreadLabel, kAboutForumThreadAddress},
    };
    for (const Link& link : links) {
        QLabel* label = LinkLabel(link.name, Text(link.text), this);
        std::string address(link.address);
        label->installEventFilter(
            new ClickableLabelFilter(label, [&desktop, address] { desktop.Open(address); }));
        layout->addWidget(label);
    }
    layout->addSpacing(8);
    ok_ = Named(new QPushButton(Text(kAboutOkButton), this), "OKButton");
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    ok_->setFocus();
    setFixedSize(sizeHint());
}

}  // namespace kordex::app
