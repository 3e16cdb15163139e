#include "widgets/LazyFileIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <optional>

namespace tessel {

namespace {

class LazyFileIconEngine final : public QIconEngine {
public:
    explicit LazyFileIconEngine(QString file) : m_file(std::move(file)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Loaded().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Loaded().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Loaded().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Loaded().availableSizes(mode, state);
    }
    bool isNull() override { return Loaded().isNull(); }
    QString key() const override { return QStringLiteral("LazyFileIconEngine"); }
    QIconEngine* clone() const override { return new LazyFileIconEngine(m_file); }

private:
    QIcon& Loaded() {
        if (!m_icon) {
            m_icon = QIcon(m_file);
        }
        return *m_icon;
    }

    QString m_file;
    std::optional<QIcon> m_icon;
};

}  // namespace

QIcon LazyFileIcon(const QString& file) {
    return QIcon(new LazyFileIconEngine(file));
}

}  // namespace tessel
