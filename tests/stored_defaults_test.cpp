// Stored defaults: the settings file the options dialog writes is read when the effect adds its
// parameters, with the conversions users rely on.
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "effect/ParamIds.h"
#include "framework/EffectHooks.h"
#include "params/BaseParam.h"
#include "params/ParamRegistry.h"
#include "support/InklineFixture.h"

namespace {

class StoredDefaultsTest : public InklineTest {
protected:
  void writeSettings(const std::string& body) {
    std::filesystem::create_directories(appData.settingsFolder());
    std::ofstream(appData.settingsFile()) << "[Version=1.5]\r\n" << body;
  }
  PF_ParamDef registered(const char* name) {
    return effect.parameters().definition(effect.parameters().indexOf(name));
  }
  void setUpParams() {
    ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE);
    ASSERT_EQ(effect.paramsSetup().err, PF_Err_NONE);
  }
};

TEST_F(StoredDefaultsTest, StoredValuesBecomeTheDefaults) {
  writeSettings(
      "Opacity=50.000000\r\n"
      "Thickness=0.1\r\n"
      "Length=abc\r\n"
      "Color.r=300\r\n"
      "Color.b=7\r\n"
      "Loop=256\r\n"
      "Clear Background=2\r\n"
      "Random Seed=42\r\n"
      "H=-0.00001\r\n"
      "Rotation Random=90.5\r\n");
  setUpParams();
  EXPECT_EQ(registered("Opacity").u.fs_d.value, 50.0);
  EXPECT_EQ(registered("Opacity").u.fs_d.dephault, 50.0f);
  // Float sliders pass through single precision.
  EXPECT_EQ(registered("Thickness").u.fs_d.value, static_cast<double>(0.1f));
  EXPECT_EQ(registered("Length").u.fs_d.value, 0.0);  // not a number
  const PF_Pixel color = registered("Color").u.cd.value;
  EXPECT_EQ(color.alpha, 255);
  EXPECT_EQ(color.red, 300 & 0xFF);  // 44
  EXPECT_EQ(color.green, 0);         // missing key: the built-in default
  EXPECT_EQ(color.blue, 7);
  // Check boxes keep the low 8 bits: 256 is off, 2 is on with value 2.
  EXPECT_EQ(registered("Loop").u.bd.value, 0);
  EXPECT_EQ(registered("Clear Background").u.bd.value, 2);
  EXPECT_EQ(registered("Random Seed").u.sd.value, 42);
  EXPECT_EQ(registered("Random Seed").u.sd.dephault, 42);
  // Angles truncate toward zero in 16.16.
  EXPECT_EQ(registered("H").u.ad.value, 0);
  EXPECT_EQ(registered("Rotation Random").u.ad.value, static_cast<PF_Fixed>(90.5 * 65536));
  // Untouched keys keep the table's defaults.
  EXPECT_EQ(registered("End Length").u.fs_d.value, 20.0);
}

TEST_F(StoredDefaultsTest, Api12Point11HostsIgnoreTheFile) {
  writeSettings("Opacity=50.000000\r\n");
  host.options().specVersion = PF_SpecVersion{12, 11};
  setUpParams();
  EXPECT_EQ(registered("Opacity").u.fs_d.value, 100.0);
}

TEST_F(StoredDefaultsTest, Api12Point12HostsReadIt) {
  writeSettings("Opacity=50.000000\r\n");
  host.options().specVersion = PF_SpecVersion{12, 12};
  setUpParams();
  EXPECT_EQ(registered("Opacity").u.fs_d.value, 50.0);
}

// A damaged or hand-edited file gives no value the panel could not set: numbers beyond the
// valid range read as its nearest end, non-numbers (infinities, NaN) as the built-in default.
struct OutOfRangeCase {
  const char* entry;
  const char* param;
  double expected;
};

class StoredDefaultsRangeTest : public StoredDefaultsTest, public ::testing::WithParamInterface<OutOfRangeCase> {};

TEST_P(StoredDefaultsRangeTest, IsHeldToTheParametersRange) {
  writeSettings(std::string(GetParam().entry) + "\r\n");
  setUpParams();
  const PF_ParamDef def = registered(GetParam().param);
  switch (def.param_type) {
    case PF_Param_SLIDER:
      EXPECT_EQ(def.u.sd.value, GetParam().expected);
      EXPECT_EQ(def.u.sd.dephault, GetParam().expected);
      break;
    case PF_Param_FLOAT_SLIDER:
      EXPECT_EQ(def.u.fs_d.value, GetParam().expected);
      EXPECT_EQ(def.u.fs_d.dephault, static_cast<PF_FpShort>(GetParam().expected));
      break;
    case PF_Param_ANGLE: EXPECT_EQ(def.u.ad.value, static_cast<PF_Fixed>(GetParam().expected * 65536)); break;
    default: FAIL() << "unexpected kind";
  }
}

INSTANTIATE_TEST_SUITE_P(Entries, StoredDefaultsRangeTest,
                         ::testing::Values(OutOfRangeCase{"Copy Number=2147483646", "Copy Number", 100},
                                           OutOfRangeCase{"Copy Number=2147483647", "Copy Number", 100},
                                           OutOfRangeCase{"Random Seed=-5", "Random Seed", 0},
                                           OutOfRangeCase{"S=1e39", "S", 100},
                                           OutOfRangeCase{"S=inf", "S", 0},
                                           OutOfRangeCase{"S=nan", "S", 0},
                                           OutOfRangeCase{"S/E Length Inhibition=inf", "S/E Length Inhibition", 0},
                                           OutOfRangeCase{"Thickness=-3", "Thickness", 0},
                                           OutOfRangeCase{"Rotation Random=nan", "Rotation Random", 0},
                                           OutOfRangeCase{"Rotation Random=-inf", "Rotation Random", 0}));

// The effect takes the user's locale on its first call, so a comma is its decimal separator.
TEST_F(StoredDefaultsTest, ACommaLocaleReadsDecimalCommas) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "no de_DE.UTF-8 locale";
  std::setlocale(LC_ALL, previous.c_str());
  writeSettings("Opacity=50,5\r\n");
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  setUpParams();
  unsetenv("LC_ALL");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(registered("Opacity").u.fs_d.value, 50.5);
}

// The options dialog's "store" writes every parameter in index order; these are its writes.
PF_Err addWithoutHost(PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr) { return PF_Err_NONE; }
A_char* copyName(A_char* to, const A_char* from) { return std::strcpy(to, from); }

std::string storeEveryDefault(const char* path) {
  buildEffectParameters();
  PF_UtilCallbacks utils{};
  utils.ansi.strcpy = copyName;
  PF_InData in{};
  in.utils = &utils;
  in.inter.add_param = addWithoutHost;
  in.version = PF_SpecVersion{13, 27};
  ParamRegistry& registry = ParamRegistry::instance();
  for (PF_ParamIndex i = 1; i < registry.paramCount(); ++i) registry.atIndex(i)->addToHost(&in, registry.atIndex(i)->id, nullptr);
  for (PF_ParamIndex i = 1; i < registry.paramCount(); ++i) registry.atIndex(i)->storeDefault(&in, path);
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(StoredDefaultsFile, WrittenInParameterOrder) {
  TempAppData appData;
  std::filesystem::create_directories(appData.settingsFolder());
  const std::string text = storeEveryDefault(appData.settingsFile().c_str());
  EXPECT_THAT(text, ::testing::StartsWith("[Version=1.5]\r\n"
                                          "Use All Paths=1\r\n"
                                          "Stroke Sequentially=0\r\n"
                                          "Opacity=100.000000\r\n"
                                          "Color.r=0\r\n"
                                          "Color.g=0\r\n"
                                          "Color.b=0\r\n"
                                          "Color.a=255\r\n"
                                          "Thickness=5.000000\r\n"));
  EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("Target Path")));
  EXPECT_THAT(text, ::testing::HasSubstr("Rotation Random=0.000000\r\n"));
}

// In a locale with a decimal comma the file holds commas, and reads them back.
TEST(StoredDefaultsFile, DecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  // scripts/install-deps.sh generates this locale.
  ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "no de_DE.UTF-8 locale";
  TempAppData appData;
  std::filesystem::create_directories(appData.settingsFolder());
  const std::string text = storeEveryDefault(appData.settingsFile().c_str());
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_THAT(text, ::testing::HasSubstr("Opacity=100,000000\r\n"));
  EXPECT_THAT(text, ::testing::HasSubstr("Thickness=5,000000\r\n"));
}

}  // namespace
