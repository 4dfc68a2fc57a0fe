#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "AE_Effect.h"
#include "aehost/CheckoutLedger.h"
#include "aehost/Composition.h"
#include "aehost/Countdown.h"
#include "aehost/ParamTrack.h"
#include "aehost/ParamValue.h"
#include "aehost/ParamsArray.h"

namespace aehost {

class Host;

// A parameter as the effect added it at PF_Cmd_PARAMS_SETUP.
struct RegisteredParam {
  PF_ParamIndex index = 0;
  PF_ParamDef def{};
};

// One PF_UpdateParamUI call.
struct UiUpdate {
  PF_ParamIndex index = 0;
  PF_ParamUIFlags uiFlags = 0;
  std::string during;  // the command it came in
};

// The parameters of one effect instance: the definitions the effect added, each one's value
// over time, its current ui_flags, and the checkouts the effect has not checked in.
//
// PF_Cmd_PARAMS_SETUP starts over: index 0 becomes the input layer (a PF_Param_LAYER the host
// creates; its u.ld stays zero until layers are simulated), the effect's parameters follow.
// A value starts as the one registered, with these exceptions, as in After Effects: a point
// starts at its default, which is a percentage of the layer size; a path starts with no mask.
// The host copies popup choices and checkbox and button labels at add time, so the effect's
// strings need not outlive the call.
//
// Test misuse (unknown index, a value of the wrong kind, keyframes on a parameter that cannot
// vary over time) throws std::out_of_range or std::invalid_argument. Effect misuse is recorded
// as a problem with the host.
class Parameters {
 public:
  Parameters(Host& host, const void* effectRef, const Composition& composition);
  ~Parameters();
  Parameters(const Parameters&) = delete;
  Parameters& operator=(const Parameters&) = delete;

  // --- what the effect registered ---
  A_long count() const;  // including the input layer; 0 before PF_Cmd_PARAMS_SETUP
  std::vector<RegisteredParam> added() const;  // index 1 on, in order
  PF_ParamDef definition(PF_ParamIndex index) const;  // as added; index 0 the input layer
  std::optional<PF_ParamIndex> find(std::string_view name) const;  // exact name, first match
  PF_ParamIndex indexOf(std::string_view name) const;  // throws std::out_of_range if absent

  // --- values: static ones replace the keyframes; times in composition time units ---
  void setValue(PF_ParamIndex index, ParamValue value);
  void setSlider(PF_ParamIndex index, A_long value) { setValue(index, SliderValue{value}); }
  void setFixedSlider(PF_ParamIndex index, double value) { setValue(index, FixedSliderValue{value}); }
  void setFloat(PF_ParamIndex index, double value) { setValue(index, FloatSliderValue{value}); }
  void setAngleDegrees(PF_ParamIndex index, double degrees) { setValue(index, AngleValue{degrees}); }
  void setCheckbox(PF_ParamIndex index, bool checked) { setValue(index, CheckboxValue{checked}); }
  void setColor(PF_ParamIndex index, ColorValue color) { setValue(index, color); }
  void setPoint(PF_ParamIndex index, double x, double y) { setValue(index, PointValue{x, y}); }
  void setPopup(PF_ParamIndex index, A_long choice) { setValue(index, PopupValue{choice}); }
  void setPathId(PF_ParamIndex index, PF_PathID id) { setValue(index, PathValue{id}); }

  void setKeyframe(PF_ParamIndex index, A_long time, ParamValue value);
  void setKeyframes(PF_ParamIndex index, std::vector<Keyframe> keyframes);
  void clearKeyframes(PF_ParamIndex index);  // back to the static value
  std::vector<Keyframe> keyframes(PF_ParamIndex index) const;

  ParamValue valueAt(PF_ParamIndex index, A_long time) const;
  template <typename V>
  V valueAt(PF_ParamIndex index, A_long time) const {
    return std::get<V>(valueAt(index, time));
  }
  ParamValue currentValue(PF_ParamIndex index) const;  // at the composition's current time
  // The full definition with its value at that time and the current ui_flags, as a checkout
  // or params[] gives it.
  PF_ParamDef definitionAt(PF_ParamIndex index, A_long time) const;

  // --- UI state ---
  PF_ParamUIFlags uiFlags(PF_ParamIndex index) const;  // the registered ones until PF_UpdateParamUI
  bool isDisabled(PF_ParamIndex index) const { return (uiFlags(index) & PF_PUI_DISABLED) != 0; }
  std::vector<UiUpdate> uiUpdates() const;
  void clearUiUpdates();

  // --- checkouts ---
  std::vector<CheckoutRecord> outstandingCheckouts() const;

  // --- fault injection: the n-th next call (1 = the very next) fails with `err` ---
  void failNthAddParam(int n, PF_Err err = PF_Err_OUT_OF_MEMORY);
  void failNthCheckout(int n, PF_Err err = PF_Err_OUT_OF_MEMORY);

  // --- the host's side: commands and callbacks ---
  // Before a command: PARAMS_SETUP starts the definitions over; returns the params[] for
  // commands that carry one, else nullptr.
  PF_ParamDef** commandStarting(PF_Cmd cmd);
  void commandEnded(PF_Cmd cmd);
  // A render builds its own params[] (renders of several frames may run at once): every
  // definition at that time, index 0 the input layer with u.ld zero. renderEnded() is its
  // commandEnded().
  std::vector<PF_ParamDef> definitionsAt(A_long time) const;
  void renderEnded();
  PF_Err add(PF_ParamIndex index, const PF_ParamDef* def);
  PF_Err checkout(PF_ParamIndex index, A_long whatTime, A_long timeStep, A_u_long timeScale, PF_ParamDef* out);
  PF_Err checkin(const PF_ParamDef* def);
  PF_Err updateUI(PF_ParamIndex index, const PF_ParamDef* def);
  // One problem per checkout never checked in.
  void audit(std::vector<std::string>& out) const;

 private:
  struct Entry;
  Entry& entry(PF_ParamIndex index);
  const Entry& entry(PF_ParamIndex index) const;
  bool validIndex(PF_ParamIndex index) const;
  void startOver();
  void appendEntry(const PF_ParamDef& def);
  void releaseEntries();
  PF_ParamDef definitionAtTime(const Entry& e, double time) const;
  std::string describe(PF_ParamIndex index) const;
  void problem(const std::string& what) const;

  Host& host_;
  const void* effectRef_;
  const Composition& composition_;
  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<Entry>> entries_;
  bool setupOpen_ = false;
  ParamsArray array_;
  CheckoutLedger checkouts_;
  std::vector<UiUpdate> uiUpdates_;
  Countdown addFault_;
  PF_Err addFaultErr_ = PF_Err_NONE;
  Countdown checkoutFault_;
  PF_Err checkoutFaultErr_ = PF_Err_NONE;
};

}  // namespace aehost
