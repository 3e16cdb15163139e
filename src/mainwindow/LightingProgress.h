#pragma once
// The progress animation shown while an apply runs: the progress picture
// cycles through its ten frames on timer 1050. Starting and stopping never
// block; the timers belong to this object, so the animation ends with it.

#include <QObject>
#include <QPointer>
#include <QTimer>

class QLabel;

namespace tessel {

class LightingPictures;

class LightingProgress : public QObject {
public:
    static constexpr int kTimerId = 1050;
    static constexpr int kStartDelayMs = 100;
    static constexpr int kFrameIntervalMs = 50;
    static constexpr int kStopDelayMs = 100;

    LightingProgress(QLabel* picture, const LightingPictures& pictures);

    // After 100 ms: show the picture and run the frame timer.
    void StartProgress();
    // After 100 ms: stop the frame timer and hide the picture.
    void StopProgress();

    bool IsAnimating() const { return m_frameTimer.isActive(); }
    // The frame last shown, 1 to 10; 0 before the first and after the tenth.
    int Counter() const { return m_counter; }

private:
    void ShowFirstFrame();
    void NextFrame();
    void Finish();

    QPointer<QLabel> m_picture;
    const LightingPictures& m_pictures;
    QTimer m_startDelay;
    QTimer m_frameTimer;
    QTimer m_stopDelay;
    int m_counter = 0;
};

}  // namespace tessel
