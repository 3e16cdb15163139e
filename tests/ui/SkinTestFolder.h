#pragma once
// A temporary skin folder for widget tests: INI files and pictures written on
// the spot.

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include <filesystem>
#include <string>

namespace tessel::testing_support {

class SkinTestFolder {
public:
    SkinTestFolder();

    std::filesystem::path Root() const;
    std::filesystem::path File(const std::string& relative) const;
    // Writes a text file (UTF-8), creating folders as needed.
    std::filesystem::path WriteText(const std::string& relative, const std::string& text) const;
    // Writes a picture in the format of the file name's extension.
    std::filesystem::path WriteImage(const std::string& relative, const QImage& image) const;

private:
    QTemporaryDir m_dir;
};

// A width x height picture in one colour.
QImage SolidImage(int width, int height, QColor colour);

}  // namespace tessel::testing_support
