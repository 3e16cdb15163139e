#include "SkinTestFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tessel::testing_support {

SkinTestFolder::SkinTestFolder() {
    EXPECT_TRUE(m_dir.isValid());
}

std::filesystem::path SkinTestFolder::Root() const {
    return std::filesystem::path(m_dir.path().toStdString());
}

std::filesystem::path SkinTestFolder::File(const std::string& relative) const {
    return Root() / relative;
}

std::filesystem::path SkinTestFolder::WriteText(const std::string& relative,
                                                const std::string& text) const {
    const std::filesystem::path path = File(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::filesystem::path SkinTestFolder::WriteImage(const std::string& relative,
                                                 const QImage& image) const {
    const std::filesystem::path path = File(relative);
    std::filesystem::create_directories(path.parent_path());
    EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
    return path;
}

QImage SolidImage(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace tessel::testing_support
