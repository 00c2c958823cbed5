// The gallery run headless as a process: every scene is written in every variant, none is
// blank, and bad command lines are refused.
#include "tests/apps/run_process.h"

#include <gtest/gtest.h>
#include <png.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using GalleryRun = talix::testing::ProcessRun;

GalleryRun Gallery(const std::string& arguments) {
  // No display: the gallery must not try to stay open.
  return talix::testing::RunProcess("env -u DISPLAY " + std::string(TALIX_GALLERY) + " " +
                                    arguments + " 2>&1");
}

struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // RGBA packed as read
};

bool ReadPng(const fs::path& path, Picture* picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  picture->width = int(image.width);
  picture->height = int(image.height);
  picture->pixels.resize(size_t(image.width) * image.height);
  return png_image_finish_read(&image, nullptr, picture->pixels.data(), 0, nullptr) != 0;
}

bool Blank(const Picture& picture) {
  for (uint32_t pixel : picture.pixels) {
    if (pixel != picture.pixels.front()) return false;
  }
  return true;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

class GalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("talix-gallery-test-" + std::to_string(getpid()));
    fs::remove_all(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(GalleryTest, WritesEverySceneInEveryVariantAndNoneIsBlank) {
  const GalleryRun list = Gallery("--list");
  ASSERT_EQ(list.status, 0) << list.out;
  const std::vector<std::string> scenes = Lines(list.out);
  ASSERT_FALSE(scenes.empty());

  const GalleryRun run = Gallery("--headless --out '" + dir_.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  for (const std::string& scene : scenes) {
    for (const char* variant : {"ltr-100", "rtl-100", "ltr-125", "rtl-125"}) {
      const fs::path file = dir_ / (scene + "-" + variant + ".png");
      Picture picture;
      ASSERT_TRUE(ReadPng(file, &picture)) << file;
      EXPECT_GT(picture.width, 0);
      EXPECT_FALSE(Blank(picture)) << file << " has one colour only";
    }
    Picture ltr, rtl, large;
    ASSERT_TRUE(ReadPng(dir_ / (scene + "-ltr-100.png"), &ltr));
    ASSERT_TRUE(ReadPng(dir_ / (scene + "-rtl-100.png"), &rtl));
    ASSERT_TRUE(ReadPng(dir_ / (scene + "-ltr-125.png"), &large));
    EXPECT_NE(ltr.pixels, rtl.pixels) << scene << ": right-to-left looks the same as left-to-right";
    EXPECT_GT(large.width, ltr.width) << scene << ": 125% is not larger";
    EXPECT_GT(large.height, ltr.height) << scene << ": 125% is not larger";
  }
}

TEST_F(GalleryTest, OneSceneOnly) {
  const std::vector<std::string> scenes = Lines(Gallery("--list").out);
  ASSERT_FALSE(scenes.empty());
  const GalleryRun run = Gallery("--headless --scene " + scenes.front() + " --out '" + dir_.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_EQ(entry.path().filename().string().rfind(scenes.front() + "-", 0), 0u) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, 4u);
}

TEST_F(GalleryTest, BadCommandLinesExitWithTwo) {
  for (const char* arguments : {"--bogus", "--out", "--scene no-such-scene --headless"}) {
    EXPECT_EQ(Gallery(arguments).status, 2) << arguments;
  }
}

}  // namespace
