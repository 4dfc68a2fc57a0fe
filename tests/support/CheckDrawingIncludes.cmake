# Compiles one-line sources with the drawing core's include path: a header of the core must
# compile, and every host suite, framework, parameter and effect header must not be found.
# Run by ctest with -DCXX=<compiler> -DINCLUDES=<dir|dir|...> -DWORK=<scratch folder>.
string(REPLACE "|" ";" include_dirs "${INCLUDES}")
set(flags -std=c++20 -fsyntax-only)
foreach(dir IN LISTS include_dirs)
  list(APPEND flags "-I${dir}")
endforeach()
file(MAKE_DIRECTORY "${WORK}")

function(try_include header expect_success)
  string(MAKE_C_IDENTIFIER "${header}" name)
  set(source "${WORK}/${name}.cpp")
  file(WRITE "${source}" "#include \"${header}\"\n")
  execute_process(COMMAND "${CXX}" ${flags} "${source}" RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if(expect_success AND NOT result EQUAL 0)
    message(SEND_ERROR "${header} should compile in the drawing core and does not")
  elseif(NOT expect_success AND result EQUAL 0)
    message(SEND_ERROR "${header} is reachable from the drawing core")
  endif()
endfunction()

try_include("stroke/StrokeLayout.h" TRUE)
try_include("raster/StampDisc.h" TRUE)
foreach(header framework/SuiteHandler.h framework/RenderData.h params/BaseParam.h effect/ParamRecord.h
               options/SettingsFile.h render/driver/RenderDriver.h AE_EffectSuites.h AE_EffectCBSuites.h
               AE_AdvEffectSuites.h AE_EffectCB.h)
  try_include("${header}" FALSE)
endforeach()
