#pragma once
// A colour-picker button: shows its colour; a click opens a palette of
// standard colours in rows of a set number of columns, with an optional
// "other" entry that opens the system colour dialog. Until a colour is chosen
// the button stands for its automatic colour.

#include <QColor>
#include <QPushButton>
#include <QString>

#include <array>
#include <functional>

class QMenu;

namespace tessel {

class CSkinColorBtn : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kPaletteSize = 40;
    static const std::array<QColor, kPaletteSize>& Palette();

    explicit CSkinColorBtn(QWidget* parent = nullptr);
    ~CSkinColorBtn() override;

    // The chosen colour; invalid while none is chosen.
    QColor Color() const { return m_colour; }
    void SetColor(QColor colour);
    QColor DefaultColor() const { return m_automatic; }
    void SetDefaultColor(QColor colour);
    // The chosen colour, or the automatic one when none is chosen.
    QColor ChosenOrDefault() const { return m_colour.isValid() ? m_colour : m_automatic; }

    void SetColumnsNum(int columns);
    int ColumnsNum() const { return m_columns; }
    // Text of the entry that opens the system colour dialog; empty: no entry.
    void SetOtherText(const QString& text);
    QString OtherText() const { return m_otherText; }
    // What the "other" entry runs; the system colour dialog unless replaced.
    // It returns an invalid colour when the user cancels.
    using OtherColourDialog = std::function<QColor(QColor initial, QWidget* parent)>;
    void SetOtherColourDialog(OtherColourDialog dialog) { m_otherDialog = std::move(dialog); }

    // Opens the palette below the button, without waiting.
    void ShowPalette();
    QMenu* PaletteMenu() const { return m_menu; }
    // What a palette cell or the other dialog does: takes the colour and tells
    // the owner.
    void Choose(QColor colour);

signals:
    void ColourChosen(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildPalette();
    void ChooseOther();

    QColor m_colour;
    QColor m_automatic = Qt::black;
    int m_columns = 8;
    QString m_otherText;
    OtherColourDialog m_otherDialog;
    QMenu* m_menu = nullptr;
};

}  // namespace tessel
