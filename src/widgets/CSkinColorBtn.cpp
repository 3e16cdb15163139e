#include "widgets/CSkinColorBtn.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

#include <algorithm>

#include "platform/qt/ModalBoxes.h"
#include "skin/qt/SkinAccessibility.h"
#include "widgets/WidgetAccessibility.h"

namespace tessel {
namespace {

constexpr int kCellSize = 18;

// Kept among the open boxes, so a request from another process is not stuck
// behind it: an exit cancels it and no colour is taken.
QColor AskSystemColour(QColor initial, QWidget* owner) {
    if (ModalBoxes::Closing()) {
        return {};
    }
    QColorDialog dialog(initial, owner);
    const ModalBoxes::Shown shown(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedColor() : QColor();
}

// clang-format off
const std::array<QColor, CSkinColorBtn::kPaletteSize> kPalette = {{
    {0, 0, 0},       {165, 42, 0},    {0, 64, 64},     {0, 85, 0},      {0, 0, 94},
    {0, 0, 139},     {75, 0, 130},    {40, 40, 40},    {139, 0, 0},     {255, 104, 32},
    {139, 139, 0},   {0, 147, 0},     {56, 142, 142},  {0, 0, 255},     {123, 123, 192},
    {102, 102, 102}, {255, 0, 0},     {255, 173, 91},  {50, 205, 50},   {60, 179, 113},
    {127, 255, 212}, {125, 158, 192}, {128, 0, 128},   {127, 127, 127}, {255, 192, 203},
    {255, 215, 0},   {255, 255, 0},   {0, 255, 0},     {64, 224, 208},  {192, 255, 255},
    {72, 0, 72},     {192, 192, 192}, {255, 228, 225}, {210, 180, 140}, {255, 255, 224},
    {152, 251, 152}, {175, 238, 238}, {104, 131, 139}, {230, 230, 250}, {255, 255, 255},
}};
// clang-format on

}  // namespace

const std::array<QColor, CSkinColorBtn::kPaletteSize>& CSkinColorBtn::Palette() {
    return kPalette;
}

CSkinColorBtn::CSkinColorBtn(QWidget* parent) : QPushButton(parent) {
    m_otherDialog = AskSystemColour;
    connect(this, &QPushButton::clicked, this, &CSkinColorBtn::ShowPalette);
    InstallWidgetAccessibility();
}

CSkinColorBtn::~CSkinColorBtn() = default;

void CSkinColorBtn::SetColor(QColor colour) {
    m_colour = colour;
    update();
    // Its name says its colour.
    NotifyNameChanged(*this);
}

void CSkinColorBtn::SetDefaultColor(QColor colour) {
    m_automatic = colour;
    update();
}

void CSkinColorBtn::SetColumnsNum(int columns) {
    m_columns = std::max(1, columns);
    delete m_menu;
    m_menu = nullptr;
}

void CSkinColorBtn::SetOtherText(const QString& text) {
    m_otherText = text;
    delete m_menu;
    m_menu = nullptr;
}

void CSkinColorBtn::ShowPalette() {
    if (!m_menu) {
        BuildPalette();
    }
    m_menu->popup(mapToGlobal(QPoint(0, height())));
}

void CSkinColorBtn::BuildPalette() {
    m_menu = new QMenu(this);
    auto* cells = new QWidget(m_menu);
    auto* grid = new QGridLayout(cells);
    grid->setSpacing(2);
    grid->setContentsMargins(4, 4, 4, 4);
    for (int i = 0; i < kPaletteSize; ++i) {
        auto* cell = new QToolButton(cells);
        const QColor colour = kPalette[static_cast<std::size_t>(i)];
        cell->setFixedSize(kCellSize, kCellSize);
        cell->setToolTip(colour.name());
        cell->setAccessibleName(colour.name());
        cell->setStyleSheet(
            QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(colour.name()));
        connect(cell, &QToolButton::clicked, this, [this, colour] {
            m_menu->close();
            Choose(colour);
        });
        grid->addWidget(cell, i / m_columns, i % m_columns);
    }
    auto* cellsAction = new QWidgetAction(m_menu);
    cellsAction->setDefaultWidget(cells);
    m_menu->addAction(cellsAction);
    if (!m_otherText.isEmpty()) {
        m_menu->addSeparator();
        m_menu->addAction(m_otherText, this, &CSkinColorBtn::ChooseOther);
    }
}

void CSkinColorBtn::ChooseOther() {
    const QColor picked = m_otherDialog ? m_otherDialog(ChosenOrDefault(), this) : QColor();
    if (picked.isValid()) {
        Choose(picked);
    }
}

void CSkinColorBtn::Choose(QColor colour) {
    SetColor(colour);
    emit ColourChosen(colour);
}

void CSkinColorBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(1, 1, -2, -2);
    painter.fillRect(frame, ChosenOrDefault());
    painter.setPen(isDown() ? QColor(255, 0, 0) : QColor(128, 128, 128));
    painter.drawRect(frame);
    if (!isEnabled()) {
        painter.fillRect(frame, QColor(0, 0, 0, 128));
    }
    if (ShowsFocusMark(*this)) {
        DrawFocusMark(painter, *this);
    }
}

}  // namespace tessel
