// talix-image run as a process: info lines, conversions and resizes checked against the
// store's own reading of the results, and the exit statuses of bad input and arguments.
#include "image/NBitmapUtil.h"
#include "image/store/random15.h"
#include "tests/apps/run_process.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Store = CNBitmapUtil;

struct ToolRun {
  int status = -1;
  std::string out, err;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Packed B, G, R rows of a w x h picture with distinct pixels.
std::vector<char> Pattern(int w, int h, int seed) {
  std::vector<char> rows(size_t(w) * h * 3);
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = char((i * 37 + seed * 91) & 0xFF);
  return rows;
}

class TalixImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("talix-image-test-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  ToolRun Tool(const std::string& arguments) const {
    const std::string err = Path("stderr.txt");
    const std::string command = std::string(TALIX_IMAGE_TOOL) + " " + arguments + " 2>'" + err + "'";
    const talix::testing::ProcessRun process = talix::testing::RunProcess(command);
    ToolRun run;
    run.status = process.status;
    run.out = process.out;
    run.err = ReadText(err);
    return run;
  }

  // A picture written by the store: frames of w x h with the given delays.
  std::string Write(const std::string& name, Store::BitmapFormat format, int w, int h,
                    std::vector<int> delays = {0}, int loopCount = 0) {
    Store store;
    for (size_t i = 0; i < delays.size(); ++i) {
      std::vector<char> rows = Pattern(w, h, int(i));
      EXPECT_EQ(store.CreateBitmapFromData(w, h, rows.data(), Store::BT_IMAGE, int(i)), 1);
      store.SetFrameDelay(Store::BT_IMAGE, int(i), delays[i]);
    }
    store.SetLoopCount(loopCount);
    const std::string path = Path(name);
    EXPECT_GT(store.SaveBitmap(Wide(path).c_str(), format, Store::BT_IMAGE, 0), 0) << path;
    return path;
  }

  // The frame's packed rows as the store reads the file.
  static std::vector<char> Pixels(const std::string& path, int index = 0) {
    Store store;
    if (!store.NLoadBitmap(Wide(path).c_str(), Store::BT_IMAGE, 0)) return {};
    std::vector<char> rows(size_t(store.GetBitmapWidth(Store::BT_IMAGE)) * store.GetBitmapHeight(Store::BT_IMAGE) * 3);
    if (!store.GetBitmapDataNA(Store::BT_IMAGE, index, rows.data())) return {};
    return rows;
  }

 private:
  fs::path dir_;
};

TEST_F(TalixImageTest, InfoPrintsTheKeysOfStillAndAnimatedPictures) {
  const std::string bmp = Write("still.bmp", Store::BF_BMP, 5, 3);
  ToolRun run = Tool("info '" + bmp + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "format: bmp\nwidth: 5\nheight: 3\nframes: 1\ndelays-ms: 0\nloop-count: 0\n");

  const std::string gif = Write("moving.gif", Store::BF_GIF, 6, 4, {100, 250, 70}, 3);
  run = Tool("info '" + gif + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "format: gif\nwidth: 6\nheight: 4\nframes: 3\ndelays-ms: 100,250,70\nloop-count: 3\n");
}

TEST_F(TalixImageTest, ConvertTakesTheFormatFromTheExtensionOrTheOption) {
  const std::string bmp = Write("source.bmp", Store::BF_BMP, 7, 5);
  ToolRun run = Tool("convert '" + bmp + "' '" + Path("out.png") + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadText(Path("out.png")).substr(1, 3), "PNG");
  EXPECT_EQ(Pixels(Path("out.png")), Pixels(bmp));

  run = Tool("convert '" + bmp + "' '" + Path("out.dat") + "' --format bmp");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadText(Path("out.dat")), ReadText(bmp));

  // Names the readers do not take as they are (four-letter extensions) still read.
  for (const std::string name : {"out.wbmp", "out.jpeg"}) {
    run = Tool("convert '" + bmp + "' '" + Path(name) + "' --quality 90");
    ASSERT_EQ(run.status, 0) << run.err;
    run = Tool("info '" + Path(name) + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "format: " + name.substr(4)) << run.out;
  }

  const std::string gif = Write("frames.gif", Store::BF_GIF, 6, 4, {10, 20, 30});
  run = Tool("convert '" + gif + "' '" + Path("second.bmp") + "' --frame 1");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Pixels(Path("second.bmp")), Pixels(gif, 1));
  run = Tool("convert '" + gif + "' '" + Path("tail.gif") + "' --frame 1 --no-diffusion");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(Tool("info '" + Path("tail.gif") + "'").out.find("frames: 2\n"), std::string::npos);
}

TEST_F(TalixImageTest, ResizeTreatsEveryFrameAsTheStoreDoes) {
  const std::string gif = Write("anim.gif", Store::BF_GIF, 8, 6, {40, 60}, 5);
  ToolRun run = Tool("resize '" + gif + "' '" + Path("small.gif") + "' 4 3");
  ASSERT_EQ(run.status, 0) << run.err;
  // Everything but the size is as the input reports it.
  std::string expected = Tool("info '" + gif + "'").out;
  const std::string size = "width: 8\nheight: 6\n";
  ASSERT_NE(expected.find(size), std::string::npos) << expected;
  expected.replace(expected.find(size), size.size(), "width: 4\nheight: 3\n");
  EXPECT_EQ(Tool("info '" + Path("small.gif") + "'").out, expected);
  EXPECT_NE(expected.find("frames: 2\ndelays-ms: 40,60\n"), std::string::npos);

  const std::string bmp = Write("big.bmp", Store::BF_BMP, 9, 7);
  for (bool dither : {false, true}) {
    run = Tool("resize '" + bmp + "' '" + Path("resized.bmp") + "' 5 4" + (dither ? " --dither" : ""));
    ASSERT_EQ(run.status, 0) << run.err;
    Store store;
    ASSERT_TRUE(store.NLoadBitmap(Wide(bmp).c_str(), Store::BT_IMAGE, 0));
    talix::image::SeedRandom15(1);  // the generator's state in a fresh process
    if (dither) store.ResizeDither(Store::BT_IMAGE, 0, 0, 0, 9, 7, 5, 4, 4, 128);
    else store.Resize(Store::BT_IMAGE, 0, 5, 4, 1);
    std::vector<char> expected(5 * 4 * 3);
    ASSERT_TRUE(store.GetBitmapDataNA(Store::BT_IMAGE_RESIZED, 0, expected.data()));
    EXPECT_EQ(Pixels(Path("resized.bmp")), expected) << (dither ? "dithered" : "halftone");
  }
}

TEST_F(TalixImageTest, BadArgumentsExitWithTwo) {
  const std::string bmp = Write("ok.bmp", Store::BF_BMP, 2, 2);
  const std::string out = Path("never.bmp");
  const std::string cases[] = {
      "",
      "show '" + bmp + "'",
      "info",
      "info '" + bmp + "' extra",
      "info '" + bmp + "' --frame 1",
      "convert '" + bmp + "'",
      "convert '" + bmp + "' '" + Path("x.tiff") + "'",
      "convert '" + bmp + "' '" + out + "' --format tiff",
      "convert '" + bmp + "' '" + out + "' --frame -1",
      "convert '" + bmp + "' '" + out + "' --frame",
      "convert '" + bmp + "' '" + out + "' --quality 101",
      "convert '" + bmp + "' '" + out + "' --dither",
      "resize '" + bmp + "' '" + out + "' 0 3",
      "resize '" + bmp + "' '" + out + "' 3 abc",
      "resize '" + bmp + "' '" + out + "' 3",
      "resize '" + bmp + "' '" + out + "' 3 3 --quality 5",
  };
  for (const std::string& arguments : cases) {
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << arguments;
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(TalixImageTest, BadInputExitsWithOneNamingTheFile) {
  const std::string bmp = Write("fine.bmp", Store::BF_BMP, 3, 3);
  const std::string junk = Path("junk.png");
  std::ofstream(junk) << "this is not a picture";
  struct Case { std::string arguments, named; };
  const Case cases[] = {
      {"info '" + Path("missing.bmp") + "'", Path("missing.bmp")},
      {"info '" + junk + "'", junk},
      {"convert '" + junk + "' '" + Path("a.bmp") + "'", junk},
      {"convert '" + bmp + "' '" + Path("a.bmp") + "' --frame 4", bmp},
      {"convert '" + bmp + "' '" + Path("no/such/dir/a.bmp") + "'", Path("no/such/dir/a.bmp")},
      {"resize '" + junk + "' '" + Path("b.bmp") + "' 2 2", junk},
  };
  for (const Case& c : cases) {
    const ToolRun run = Tool(c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_NE(run.err.find(c.named + ": "), std::string::npos) << run.err;
  }
}

}  // namespace
