#pragma once
// The message boxes and file dialogs the program has open, kept so that a
// request from another process is never stuck behind one: an exit closes
// them their Cancel (or No) way, an open brings the top one forward.
// Window thread only.

class QDialog;

namespace tessel {

class ModalBoxes {
public:
    // Marks `box` open for as long as this object lives.
    class Shown {
    public:
        explicit Shown(QDialog& box);
        ~Shown();
        Shown(const Shown&) = delete;
        Shown& operator=(const Shown&) = delete;

    private:
        QDialog& m_box;
    };

    static bool AnyOpen();
    // True once CloseAll ran: boxes asked for afterwards answer at once.
    static bool Closing();
    static void RaiseTop();
    static void CloseAll();
    // The window that asked for the closing is gone: boxes of a window made
    // after it wait for their user again.
    static void EndClosing();
};

}  // namespace tessel
