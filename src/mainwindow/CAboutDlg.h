#pragma once
// The About box: one object for the whole run, shown modeless and without an
// owner, so it never blocks the tray. OK and Cancel hide it.

#include <QDialog>

#include <map>

class QLabel;
class QPushButton;

namespace tessel {

class LanguageFiles;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 100;
    static constexpr int kIdVersion = 1206;
    static constexpr int kIdCopyright = 1205;
    static constexpr int kIdLink = 1124;

    CAboutDlg();

    // The language request: title, the two text lines and OK in language `index`.
    void ApplyLanguage(const LanguageFiles& files, int index);
    QLabel* Line(int id) const;
    QPushButton* OkButton() const { return m_ok; }

protected:
    void done(int result) override;

private:
    std::map<int, QLabel*> m_lines;
    QPushButton* m_ok;
};

}  // namespace tessel
