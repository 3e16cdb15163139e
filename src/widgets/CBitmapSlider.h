#pragma once
// A slider drawn as one picture: the owner sets the picture that shows the
// current position. Every position change made by the user is posted to the
// window as kSliderMovedMessage (control id, new position).

#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace tessel {

inline constexpr uint32_t kSliderMovedMessage = 0x28D1;

class CBitmapSlider : public QWidget {
    Q_OBJECT
public:
    explicit CBitmapSlider(QWidget* parent = nullptr);

    // The id the position requests carry.
    void SetDlgCtrlID(int id) { m_id = id; }
    int DlgCtrlID() const { return m_id; }

    // The position is clamped into the new range; nothing is posted.
    void SetRange(int minimum, int maximum);
    int RangeMin() const { return m_min; }
    int RangeMax() const { return m_max; }
    // The step of Page Up / Page Down, clamped at the ends of the range.
    void SetPageSize(int step) { m_pageSize = step; }
    int PageSize() const { return m_pageSize; }
    // Set by the owner: clamped into the range; nothing is posted.
    void SetPos(int position);
    int GetPos() const { return m_pos; }

    // The slider takes the picture's size each time a picture is set.
    void SetBitmap(const QPixmap& picture);
    const QPixmap& Bitmap() const { return m_picture; }

    // A user's move (mouse, keys or a screen reader): clamps, and posts the
    // request only when the position changed.
    void MoveTo(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int PositionAt(int x) const;
    void ShowPosition();

    int m_id = 0;
    int m_min = 0;
    int m_max = 0;
    int m_pageSize = 1;
    int m_pos = 0;
    QPixmap m_picture;
};

}  // namespace tessel
