#include "mainwindow/CAboutDlg.h"

#include "app/ApplicationIcon.h"
#include "text/LocalText.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string_view>

namespace tessel {

namespace {

constexpr char kProjectLink[] = "<a href=\"https://www.zerkon.example/\">www.zerkon.example</a>";

QString Text(const LanguageFiles& files, std::u16string_view key, int index) {
    return QString::fromStdU16String(files.LocalText(key, index));
}

}  // namespace

CAboutDlg::CAboutDlg() : QDialog(nullptr), m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(QStringLiteral("About"));
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(48, 48));
    auto* lines = new QVBoxLayout;
    for (int id : {kIdVersion, kIdCopyright, kIdLink}) {
        auto* line = new QLabel(this);
        lines->addWidget(line);
        m_lines[id] = line;
    }
    m_lines[kIdVersion]->setText(QStringLiteral("Nerova PX5-RGB Keyboard 1.0"));
    m_lines[kIdLink]->setText(QString::fromLatin1(kProjectLink));
    m_lines[kIdLink]->setOpenExternalLinks(true);

    auto* layout = new QGridLayout(this);
    // A fixed size: tiling compositors float the box instead of stretching it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addLayout(lines, 0, 1);
    layout->addWidget(m_ok, 1, 1, Qt::AlignRight);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* CAboutDlg::Line(int id) const {
    const auto found = m_lines.find(id);
    return found == m_lines.end() ? nullptr : found->second;
}

void CAboutDlg::ApplyLanguage(const LanguageFiles& files, int index) {
    setWindowTitle(Text(files, u"IDS_ABOUT_TITLE", index));
    m_lines[kIdVersion]->setText(Text(files, u"IDS_ABOUT_VERSION", index));
    m_lines[kIdCopyright]->setText(Text(files, u"IDS_ABOUT_COPYRIGHT", index));
    m_ok->setText(Text(files, u"IDS_ABOUT_OK", index));
}

// OK and Cancel only hide the box; it is shown again as it is.
void CAboutDlg::done(int result) {
    setResult(result);
    hide();
}

}  // namespace tessel
