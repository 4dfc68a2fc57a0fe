// The effect: the framework's filter with the stroke renderer behind it.
#pragma once

#include "framework/BaseFilter.h"

class CustomFilter : public BaseFilter {
public:
  // Wide time input only while the random pattern changes with the frame.
  PF_Err queryDynamicFlags(PF_InData* in_data, PF_OutData* out_data) override;
  // The whole layer at the render's resolution, whatever part the host asked for.
  PF_Err preRenderHook(PF_InData* in_data, PF_OutData* out_data, PF_PreRenderExtra* extra,
                       RenderData& renderData) override;
  // The render of the input's depth.
  PF_Err renderEffect(RenderData& renderData) override;
};
