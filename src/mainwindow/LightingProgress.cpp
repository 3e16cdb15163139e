#include "mainwindow/LightingProgress.h"

#include <QLabel>

#include "mainwindow/LightingPictures.h"

namespace tessel {

LightingProgress::LightingProgress(QLabel* picture, const LightingPictures& pictures)
    : m_picture(picture), m_pictures(pictures) {
    m_startDelay.setSingleShot(true);
    m_stopDelay.setSingleShot(true);
    m_frameTimer.setInterval(kFrameIntervalMs);
    m_frameTimer.setObjectName(QStringLiteral("timer %1").arg(kTimerId));
    connect(&m_startDelay, &QTimer::timeout, this, [this] { ShowFirstFrame(); });
    connect(&m_frameTimer, &QTimer::timeout, this, [this] { NextFrame(); });
    connect(&m_stopDelay, &QTimer::timeout, this, [this] { Finish(); });
}

void LightingProgress::StartProgress() {
    m_stopDelay.stop();
    m_startDelay.start(kStartDelayMs);
}

void LightingProgress::StopProgress() {
    m_stopDelay.start(kStopDelayMs);
}

void LightingProgress::ShowFirstFrame() {
    if (m_picture) {
        m_picture->show();
    }
    m_frameTimer.start();
}

void LightingProgress::NextFrame() {
    ++m_counter;
    if (m_picture) {
        m_picture->setPixmap(m_pictures.Get(LightingPictures::ProgressFrame(m_counter)));
    }
    if (m_counter >= LightingPictures::kProgressFrameCount) {
        m_counter = 0;
    }
}

void LightingProgress::Finish() {
    // A start that has not shown anything yet is dropped with the stop.
    m_startDelay.stop();
    m_frameTimer.stop();
    if (m_picture) {
        m_picture->hide();
    }
}

}  // namespace tessel
