// Binary-contract checks for the host SDK headers.
//
// The Windows build of the effect module is loaded by the real host, which
// hands it these structures and function tables by pointer. Every offset,
// size, alignment and constant below is the host's 64-bit Windows layout;
// if a header (ours in sdk/, or a real SDK swapped in) disagrees, the build
// fails here instead of the module corrupting memory at run time.
// Nothing is emitted: the file is compile-time assertions only.

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "AE_AdvEffectSuites.h"
#include "SPBasic.h"

#include <cstddef>

// PF_InData
static_assert(offsetof(PF_InData, inter) == 0);
static_assert(offsetof(PF_InData, inter.checkout_param) == 0);
static_assert(offsetof(PF_InData, inter.checkin_param) == 8);
static_assert(offsetof(PF_InData, inter.add_param) == 16);
static_assert(offsetof(PF_InData, inter.abort) == 24);
static_assert(offsetof(PF_InData, inter.progress) == 32);
static_assert(offsetof(PF_InData, inter.register_ui) == 40);
static_assert(offsetof(PF_InData, inter.checkout_layer_audio) == 48);
static_assert(offsetof(PF_InData, inter.checkin_layer_audio) == 56);
static_assert(offsetof(PF_InData, inter.get_audio_data) == 64);
static_assert(offsetof(PF_InData, inter.reserved_str) == 72);
static_assert(offsetof(PF_InData, inter.reserved) == 96);
static_assert(offsetof(PF_InData, utils) == 176);
static_assert(offsetof(PF_InData, effect_ref) == 184);
static_assert(offsetof(PF_InData, quality) == 192);
static_assert(offsetof(PF_InData, version) == 196);
static_assert(offsetof(PF_InData, version.major) == 196);
static_assert(offsetof(PF_InData, version.minor) == 198);
static_assert(offsetof(PF_InData, serial_num) == 200);
static_assert(offsetof(PF_InData, appl_id) == 204);
static_assert(offsetof(PF_InData, num_params) == 208);
static_assert(offsetof(PF_InData, reserved) == 212);
static_assert(offsetof(PF_InData, what_cpu) == 216);
static_assert(offsetof(PF_InData, what_fpu) == 220);
static_assert(offsetof(PF_InData, current_time) == 224);
static_assert(offsetof(PF_InData, time_step) == 228);
static_assert(offsetof(PF_InData, total_time) == 232);
static_assert(offsetof(PF_InData, local_time_step) == 236);
static_assert(offsetof(PF_InData, time_scale) == 240);
static_assert(offsetof(PF_InData, field) == 244);
static_assert(offsetof(PF_InData, shutter_angle) == 248);
static_assert(offsetof(PF_InData, width) == 252);
static_assert(offsetof(PF_InData, height) == 256);
static_assert(offsetof(PF_InData, extent_hint) == 260);
static_assert(offsetof(PF_InData, extent_hint.left) == 260);
static_assert(offsetof(PF_InData, extent_hint.top) == 264);
static_assert(offsetof(PF_InData, extent_hint.right) == 268);
static_assert(offsetof(PF_InData, extent_hint.bottom) == 272);
static_assert(offsetof(PF_InData, output_origin_x) == 276);
static_assert(offsetof(PF_InData, output_origin_y) == 280);
static_assert(offsetof(PF_InData, downsample_x) == 284);
static_assert(offsetof(PF_InData, downsample_x.num) == 284);
static_assert(offsetof(PF_InData, downsample_x.den) == 288);
static_assert(offsetof(PF_InData, downsample_y) == 292);
static_assert(offsetof(PF_InData, downsample_y.num) == 292);
static_assert(offsetof(PF_InData, downsample_y.den) == 296);
static_assert(offsetof(PF_InData, pixel_aspect_ratio) == 300);
static_assert(offsetof(PF_InData, pixel_aspect_ratio.num) == 300);
static_assert(offsetof(PF_InData, pixel_aspect_ratio.den) == 304);
static_assert(offsetof(PF_InData, in_flags) == 308);
static_assert(offsetof(PF_InData, global_data) == 312);
static_assert(offsetof(PF_InData, sequence_data) == 320);
static_assert(offsetof(PF_InData, frame_data) == 328);
static_assert(offsetof(PF_InData, start_sampL) == 336);
static_assert(offsetof(PF_InData, dur_sampL) == 340);
static_assert(offsetof(PF_InData, total_sampL) == 344);
static_assert(offsetof(PF_InData, src_snd) == 352);
static_assert(offsetof(PF_InData, src_snd.fi) == 352);
static_assert(offsetof(PF_InData, src_snd.fi.rateF) == 352);
static_assert(offsetof(PF_InData, src_snd.fi.num_channels) == 360);
static_assert(offsetof(PF_InData, src_snd.fi.format) == 362);
static_assert(offsetof(PF_InData, src_snd.fi.sample_size) == 364);
static_assert(offsetof(PF_InData, src_snd.num_samples) == 368);
static_assert(offsetof(PF_InData, src_snd.dataP) == 376);
static_assert(offsetof(PF_InData, pica_basicP) == 384);
static_assert(offsetof(PF_InData, pre_effect_source_origin_x) == 392);
static_assert(offsetof(PF_InData, pre_effect_source_origin_y) == 396);
static_assert(offsetof(PF_InData, shutter_phase) == 400);
static_assert(sizeof(PF_InData) == 408);
static_assert(alignof(PF_InData) == 8);

// PF_OutData
static_assert(offsetof(PF_OutData, my_version) == 0);
static_assert(offsetof(PF_OutData, name) == 4);
static_assert(offsetof(PF_OutData, global_data) == 40);
static_assert(offsetof(PF_OutData, num_params) == 48);
static_assert(offsetof(PF_OutData, sequence_data) == 56);
static_assert(offsetof(PF_OutData, flat_sdata_size) == 64);
static_assert(offsetof(PF_OutData, frame_data) == 72);
static_assert(offsetof(PF_OutData, width) == 80);
static_assert(offsetof(PF_OutData, height) == 84);
static_assert(offsetof(PF_OutData, origin) == 88);
static_assert(offsetof(PF_OutData, origin.h) == 88);
static_assert(offsetof(PF_OutData, origin.v) == 92);
static_assert(offsetof(PF_OutData, out_flags) == 96);
static_assert(offsetof(PF_OutData, return_msg) == 100);
static_assert(offsetof(PF_OutData, start_sampL) == 356);
static_assert(offsetof(PF_OutData, dur_sampL) == 360);
static_assert(offsetof(PF_OutData, dest_snd) == 368);
static_assert(offsetof(PF_OutData, dest_snd.fi) == 368);
static_assert(offsetof(PF_OutData, dest_snd.fi.rateF) == 368);
static_assert(offsetof(PF_OutData, dest_snd.fi.num_channels) == 376);
static_assert(offsetof(PF_OutData, dest_snd.fi.format) == 378);
static_assert(offsetof(PF_OutData, dest_snd.fi.sample_size) == 380);
static_assert(offsetof(PF_OutData, dest_snd.num_samples) == 384);
static_assert(offsetof(PF_OutData, dest_snd.dataP) == 392);
static_assert(offsetof(PF_OutData, out_flags2) == 400);
static_assert(sizeof(PF_OutData) == 408);
static_assert(alignof(PF_OutData) == 8);

// PF_ParamDef
static_assert(offsetof(PF_ParamDef, uu) == 0);
static_assert(offsetof(PF_ParamDef, uu.id) == 0);
static_assert(offsetof(PF_ParamDef, uu.change_flags) == 0);
static_assert(offsetof(PF_ParamDef, ui_flags) == 4);
static_assert(offsetof(PF_ParamDef, ui_width) == 8);
static_assert(offsetof(PF_ParamDef, ui_height) == 10);
static_assert(offsetof(PF_ParamDef, param_type) == 12);
static_assert(offsetof(PF_ParamDef, name) == 16);
static_assert(offsetof(PF_ParamDef, flags) == 48);
static_assert(offsetof(PF_ParamDef, unused) == 52);
static_assert(offsetof(PF_ParamDef, u) == 56);
static_assert(offsetof(PF_ParamDef, u.ld) == 56);
static_assert(offsetof(PF_ParamDef, u.ld.reserved0) == 56);
static_assert(offsetof(PF_ParamDef, u.ld.reserved1) == 64);
static_assert(offsetof(PF_ParamDef, u.ld.world_flags) == 72);
static_assert(offsetof(PF_ParamDef, u.ld.data) == 80);
static_assert(offsetof(PF_ParamDef, u.ld.rowbytes) == 88);
static_assert(offsetof(PF_ParamDef, u.ld.width) == 92);
static_assert(offsetof(PF_ParamDef, u.ld.height) == 96);
static_assert(offsetof(PF_ParamDef, u.ld.extent_hint) == 100);
static_assert(offsetof(PF_ParamDef, u.ld.extent_hint.left) == 100);
static_assert(offsetof(PF_ParamDef, u.ld.extent_hint.top) == 104);
static_assert(offsetof(PF_ParamDef, u.ld.extent_hint.right) == 108);
static_assert(offsetof(PF_ParamDef, u.ld.extent_hint.bottom) == 112);
static_assert(offsetof(PF_ParamDef, u.ld.platform_ref) == 120);
static_assert(offsetof(PF_ParamDef, u.ld.reserved_long1) == 128);
static_assert(offsetof(PF_ParamDef, u.ld.reserved_long4) == 136);
static_assert(offsetof(PF_ParamDef, u.ld.pix_aspect_ratio) == 144);
static_assert(offsetof(PF_ParamDef, u.ld.pix_aspect_ratio.num) == 144);
static_assert(offsetof(PF_ParamDef, u.ld.pix_aspect_ratio.den) == 148);
static_assert(offsetof(PF_ParamDef, u.ld.reserved_long2) == 152);
static_assert(offsetof(PF_ParamDef, u.ld.origin_x) == 160);
static_assert(offsetof(PF_ParamDef, u.ld.origin_y) == 164);
static_assert(offsetof(PF_ParamDef, u.ld.reserved_long3) == 168);
static_assert(offsetof(PF_ParamDef, u.ld.dephault) == 172);
static_assert(offsetof(PF_ParamDef, u.sd) == 56);
static_assert(offsetof(PF_ParamDef, u.sd.value) == 56);
static_assert(offsetof(PF_ParamDef, u.sd.value_str) == 60);
static_assert(offsetof(PF_ParamDef, u.sd.value_desc) == 92);
static_assert(offsetof(PF_ParamDef, u.sd.valid_min) == 124);
static_assert(offsetof(PF_ParamDef, u.sd.valid_max) == 128);
static_assert(offsetof(PF_ParamDef, u.sd.slider_min) == 132);
static_assert(offsetof(PF_ParamDef, u.sd.slider_max) == 136);
static_assert(offsetof(PF_ParamDef, u.sd.dephault) == 140);
static_assert(offsetof(PF_ParamDef, u.fd) == 56);
static_assert(offsetof(PF_ParamDef, u.fd.value) == 56);
static_assert(offsetof(PF_ParamDef, u.fd.value_str) == 60);
static_assert(offsetof(PF_ParamDef, u.fd.value_desc) == 92);
static_assert(offsetof(PF_ParamDef, u.fd.valid_min) == 124);
static_assert(offsetof(PF_ParamDef, u.fd.valid_max) == 128);
static_assert(offsetof(PF_ParamDef, u.fd.slider_min) == 132);
static_assert(offsetof(PF_ParamDef, u.fd.slider_max) == 136);
static_assert(offsetof(PF_ParamDef, u.fd.dephault) == 140);
static_assert(offsetof(PF_ParamDef, u.fd.precision) == 144);
static_assert(offsetof(PF_ParamDef, u.fd.display_flags) == 146);
static_assert(offsetof(PF_ParamDef, u.ad) == 56);
static_assert(offsetof(PF_ParamDef, u.ad.value) == 56);
static_assert(offsetof(PF_ParamDef, u.ad.dephault) == 60);
static_assert(offsetof(PF_ParamDef, u.ad.valid_min) == 64);
static_assert(offsetof(PF_ParamDef, u.ad.valid_max) == 68);
static_assert(offsetof(PF_ParamDef, u.bd) == 56);
static_assert(offsetof(PF_ParamDef, u.bd.value) == 56);
static_assert(offsetof(PF_ParamDef, u.bd.dephault) == 60);
static_assert(offsetof(PF_ParamDef, u.bd.reserved) == 61);
static_assert(offsetof(PF_ParamDef, u.bd.reserved1) == 62);
static_assert(offsetof(PF_ParamDef, u.bd.u) == 64);
static_assert(offsetof(PF_ParamDef, u.bd.u.nameptr) == 64);
static_assert(offsetof(PF_ParamDef, u.cd) == 56);
static_assert(offsetof(PF_ParamDef, u.cd.value) == 56);
static_assert(offsetof(PF_ParamDef, u.cd.value.alpha) == 56);
static_assert(offsetof(PF_ParamDef, u.cd.value.red) == 57);
static_assert(offsetof(PF_ParamDef, u.cd.value.green) == 58);
static_assert(offsetof(PF_ParamDef, u.cd.value.blue) == 59);
static_assert(offsetof(PF_ParamDef, u.cd.dephault) == 60);
static_assert(offsetof(PF_ParamDef, u.cd.dephault.alpha) == 60);
static_assert(offsetof(PF_ParamDef, u.cd.dephault.red) == 61);
static_assert(offsetof(PF_ParamDef, u.cd.dephault.green) == 62);
static_assert(offsetof(PF_ParamDef, u.cd.dephault.blue) == 63);
static_assert(offsetof(PF_ParamDef, u.td) == 56);
static_assert(offsetof(PF_ParamDef, u.td.x_value) == 56);
static_assert(offsetof(PF_ParamDef, u.td.y_value) == 60);
static_assert(offsetof(PF_ParamDef, u.td.reserved) == 64);
static_assert(offsetof(PF_ParamDef, u.td.restrict_bounds) == 67);
static_assert(offsetof(PF_ParamDef, u.td.x_dephault) == 68);
static_assert(offsetof(PF_ParamDef, u.td.y_dephault) == 72);
static_assert(offsetof(PF_ParamDef, u.pd) == 56);
static_assert(offsetof(PF_ParamDef, u.pd.value) == 56);
static_assert(offsetof(PF_ParamDef, u.pd.num_choices) == 60);
static_assert(offsetof(PF_ParamDef, u.pd.dephault) == 62);
static_assert(offsetof(PF_ParamDef, u.pd.u) == 64);
static_assert(offsetof(PF_ParamDef, u.pd.u.namesptr) == 64);
static_assert(offsetof(PF_ParamDef, u.fs_d) == 56);
static_assert(offsetof(PF_ParamDef, u.fs_d.value) == 56);
static_assert(offsetof(PF_ParamDef, u.fs_d.phase) == 64);
static_assert(offsetof(PF_ParamDef, u.fs_d.value_desc) == 72);
static_assert(offsetof(PF_ParamDef, u.fs_d.valid_min) == 104);
static_assert(offsetof(PF_ParamDef, u.fs_d.valid_max) == 108);
static_assert(offsetof(PF_ParamDef, u.fs_d.slider_min) == 112);
static_assert(offsetof(PF_ParamDef, u.fs_d.slider_max) == 116);
static_assert(offsetof(PF_ParamDef, u.fs_d.dephault) == 120);
static_assert(offsetof(PF_ParamDef, u.fs_d.precision) == 124);
static_assert(offsetof(PF_ParamDef, u.fs_d.display_flags) == 126);
static_assert(offsetof(PF_ParamDef, u.fs_d.fs_flags) == 128);
static_assert(offsetof(PF_ParamDef, u.fs_d.curve_tolerance) == 132);
static_assert(offsetof(PF_ParamDef, u.fs_d.useExponent) == 136);
static_assert(offsetof(PF_ParamDef, u.fs_d.exponent) == 140);
static_assert(offsetof(PF_ParamDef, u.arb_d) == 56);
static_assert(offsetof(PF_ParamDef, u.arb_d.id) == 56);
static_assert(offsetof(PF_ParamDef, u.arb_d.pad) == 58);
static_assert(offsetof(PF_ParamDef, u.arb_d.dephault) == 64);
static_assert(offsetof(PF_ParamDef, u.arb_d.value) == 72);
static_assert(offsetof(PF_ParamDef, u.arb_d.refconPV) == 80);
static_assert(offsetof(PF_ParamDef, u.path_d) == 56);
static_assert(offsetof(PF_ParamDef, u.path_d.path_id) == 56);
static_assert(offsetof(PF_ParamDef, u.path_d.reserved0) == 60);
static_assert(offsetof(PF_ParamDef, u.path_d.dephault) == 64);
static_assert(offsetof(PF_ParamDef, u.button_d) == 56);
static_assert(offsetof(PF_ParamDef, u.button_d.value) == 56);
static_assert(offsetof(PF_ParamDef, u.button_d.u) == 64);
static_assert(offsetof(PF_ParamDef, u.button_d.u.namesptr) == 64);
static_assert(offsetof(PF_ParamDef, u.point3d_d) == 56);
static_assert(offsetof(PF_ParamDef, u.point3d_d.x_value) == 56);
static_assert(offsetof(PF_ParamDef, u.point3d_d.y_value) == 64);
static_assert(offsetof(PF_ParamDef, u.point3d_d.z_value) == 72);
static_assert(offsetof(PF_ParamDef, u.point3d_d.x_dephault) == 80);
static_assert(offsetof(PF_ParamDef, u.point3d_d.y_dephault) == 88);
static_assert(offsetof(PF_ParamDef, u.point3d_d.z_dephault) == 96);
static_assert(offsetof(PF_ParamDef, u.point3d_d.reserved) == 104);
static_assert(sizeof(PF_ParamDef) == 176);
static_assert(alignof(PF_ParamDef) == 8);

// PF_ParamDefUnion
static_assert(offsetof(PF_ParamDefUnion, ld) == 0);
static_assert(offsetof(PF_ParamDefUnion, ld.reserved0) == 0);
static_assert(offsetof(PF_ParamDefUnion, ld.reserved1) == 8);
static_assert(offsetof(PF_ParamDefUnion, ld.world_flags) == 16);
static_assert(offsetof(PF_ParamDefUnion, ld.data) == 24);
static_assert(offsetof(PF_ParamDefUnion, ld.rowbytes) == 32);
static_assert(offsetof(PF_ParamDefUnion, ld.width) == 36);
static_assert(offsetof(PF_ParamDefUnion, ld.height) == 40);
static_assert(offsetof(PF_ParamDefUnion, ld.extent_hint) == 44);
static_assert(offsetof(PF_ParamDefUnion, ld.extent_hint.left) == 44);
static_assert(offsetof(PF_ParamDefUnion, ld.extent_hint.top) == 48);
static_assert(offsetof(PF_ParamDefUnion, ld.extent_hint.right) == 52);
static_assert(offsetof(PF_ParamDefUnion, ld.extent_hint.bottom) == 56);
static_assert(offsetof(PF_ParamDefUnion, ld.platform_ref) == 64);
static_assert(offsetof(PF_ParamDefUnion, ld.reserved_long1) == 72);
static_assert(offsetof(PF_ParamDefUnion, ld.reserved_long4) == 80);
static_assert(offsetof(PF_ParamDefUnion, ld.pix_aspect_ratio) == 88);
static_assert(offsetof(PF_ParamDefUnion, ld.pix_aspect_ratio.num) == 88);
static_assert(offsetof(PF_ParamDefUnion, ld.pix_aspect_ratio.den) == 92);
static_assert(offsetof(PF_ParamDefUnion, ld.reserved_long2) == 96);
static_assert(offsetof(PF_ParamDefUnion, ld.origin_x) == 104);
static_assert(offsetof(PF_ParamDefUnion, ld.origin_y) == 108);
static_assert(offsetof(PF_ParamDefUnion, ld.reserved_long3) == 112);
static_assert(offsetof(PF_ParamDefUnion, ld.dephault) == 116);
static_assert(offsetof(PF_ParamDefUnion, sd) == 0);
static_assert(offsetof(PF_ParamDefUnion, sd.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, sd.value_str) == 4);
static_assert(offsetof(PF_ParamDefUnion, sd.value_desc) == 36);
static_assert(offsetof(PF_ParamDefUnion, sd.valid_min) == 68);
static_assert(offsetof(PF_ParamDefUnion, sd.valid_max) == 72);
static_assert(offsetof(PF_ParamDefUnion, sd.slider_min) == 76);
static_assert(offsetof(PF_ParamDefUnion, sd.slider_max) == 80);
static_assert(offsetof(PF_ParamDefUnion, sd.dephault) == 84);
static_assert(offsetof(PF_ParamDefUnion, fd) == 0);
static_assert(offsetof(PF_ParamDefUnion, fd.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, fd.value_str) == 4);
static_assert(offsetof(PF_ParamDefUnion, fd.value_desc) == 36);
static_assert(offsetof(PF_ParamDefUnion, fd.valid_min) == 68);
static_assert(offsetof(PF_ParamDefUnion, fd.valid_max) == 72);
static_assert(offsetof(PF_ParamDefUnion, fd.slider_min) == 76);
static_assert(offsetof(PF_ParamDefUnion, fd.slider_max) == 80);
static_assert(offsetof(PF_ParamDefUnion, fd.dephault) == 84);
static_assert(offsetof(PF_ParamDefUnion, fd.precision) == 88);
static_assert(offsetof(PF_ParamDefUnion, fd.display_flags) == 90);
static_assert(offsetof(PF_ParamDefUnion, ad) == 0);
static_assert(offsetof(PF_ParamDefUnion, ad.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, ad.dephault) == 4);
static_assert(offsetof(PF_ParamDefUnion, ad.valid_min) == 8);
static_assert(offsetof(PF_ParamDefUnion, ad.valid_max) == 12);
static_assert(offsetof(PF_ParamDefUnion, bd) == 0);
static_assert(offsetof(PF_ParamDefUnion, bd.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, bd.dephault) == 4);
static_assert(offsetof(PF_ParamDefUnion, bd.reserved) == 5);
static_assert(offsetof(PF_ParamDefUnion, bd.reserved1) == 6);
static_assert(offsetof(PF_ParamDefUnion, bd.u) == 8);
static_assert(offsetof(PF_ParamDefUnion, bd.u.nameptr) == 8);
static_assert(offsetof(PF_ParamDefUnion, cd) == 0);
static_assert(offsetof(PF_ParamDefUnion, cd.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, cd.value.alpha) == 0);
static_assert(offsetof(PF_ParamDefUnion, cd.value.red) == 1);
static_assert(offsetof(PF_ParamDefUnion, cd.value.green) == 2);
static_assert(offsetof(PF_ParamDefUnion, cd.value.blue) == 3);
static_assert(offsetof(PF_ParamDefUnion, cd.dephault) == 4);
static_assert(offsetof(PF_ParamDefUnion, cd.dephault.alpha) == 4);
static_assert(offsetof(PF_ParamDefUnion, cd.dephault.red) == 5);
static_assert(offsetof(PF_ParamDefUnion, cd.dephault.green) == 6);
static_assert(offsetof(PF_ParamDefUnion, cd.dephault.blue) == 7);
static_assert(offsetof(PF_ParamDefUnion, td) == 0);
static_assert(offsetof(PF_ParamDefUnion, td.x_value) == 0);
static_assert(offsetof(PF_ParamDefUnion, td.y_value) == 4);
static_assert(offsetof(PF_ParamDefUnion, td.reserved) == 8);
static_assert(offsetof(PF_ParamDefUnion, td.restrict_bounds) == 11);
static_assert(offsetof(PF_ParamDefUnion, td.x_dephault) == 12);
static_assert(offsetof(PF_ParamDefUnion, td.y_dephault) == 16);
static_assert(offsetof(PF_ParamDefUnion, pd) == 0);
static_assert(offsetof(PF_ParamDefUnion, pd.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, pd.num_choices) == 4);
static_assert(offsetof(PF_ParamDefUnion, pd.dephault) == 6);
static_assert(offsetof(PF_ParamDefUnion, pd.u) == 8);
static_assert(offsetof(PF_ParamDefUnion, pd.u.namesptr) == 8);
static_assert(offsetof(PF_ParamDefUnion, fs_d) == 0);
static_assert(offsetof(PF_ParamDefUnion, fs_d.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, fs_d.phase) == 8);
static_assert(offsetof(PF_ParamDefUnion, fs_d.value_desc) == 16);
static_assert(offsetof(PF_ParamDefUnion, fs_d.valid_min) == 48);
static_assert(offsetof(PF_ParamDefUnion, fs_d.valid_max) == 52);
static_assert(offsetof(PF_ParamDefUnion, fs_d.slider_min) == 56);
static_assert(offsetof(PF_ParamDefUnion, fs_d.slider_max) == 60);
static_assert(offsetof(PF_ParamDefUnion, fs_d.dephault) == 64);
static_assert(offsetof(PF_ParamDefUnion, fs_d.precision) == 68);
static_assert(offsetof(PF_ParamDefUnion, fs_d.display_flags) == 70);
static_assert(offsetof(PF_ParamDefUnion, fs_d.fs_flags) == 72);
static_assert(offsetof(PF_ParamDefUnion, fs_d.curve_tolerance) == 76);
static_assert(offsetof(PF_ParamDefUnion, fs_d.useExponent) == 80);
static_assert(offsetof(PF_ParamDefUnion, fs_d.exponent) == 84);
static_assert(offsetof(PF_ParamDefUnion, arb_d) == 0);
static_assert(offsetof(PF_ParamDefUnion, arb_d.id) == 0);
static_assert(offsetof(PF_ParamDefUnion, arb_d.pad) == 2);
static_assert(offsetof(PF_ParamDefUnion, arb_d.dephault) == 8);
static_assert(offsetof(PF_ParamDefUnion, arb_d.value) == 16);
static_assert(offsetof(PF_ParamDefUnion, arb_d.refconPV) == 24);
static_assert(offsetof(PF_ParamDefUnion, path_d) == 0);
static_assert(offsetof(PF_ParamDefUnion, path_d.path_id) == 0);
static_assert(offsetof(PF_ParamDefUnion, path_d.reserved0) == 4);
static_assert(offsetof(PF_ParamDefUnion, path_d.dephault) == 8);
static_assert(offsetof(PF_ParamDefUnion, button_d) == 0);
static_assert(offsetof(PF_ParamDefUnion, button_d.value) == 0);
static_assert(offsetof(PF_ParamDefUnion, button_d.u) == 8);
static_assert(offsetof(PF_ParamDefUnion, button_d.u.namesptr) == 8);
static_assert(offsetof(PF_ParamDefUnion, point3d_d) == 0);
static_assert(offsetof(PF_ParamDefUnion, point3d_d.x_value) == 0);
static_assert(offsetof(PF_ParamDefUnion, point3d_d.y_value) == 8);
static_assert(offsetof(PF_ParamDefUnion, point3d_d.z_value) == 16);
static_assert(offsetof(PF_ParamDefUnion, point3d_d.x_dephault) == 24);
static_assert(offsetof(PF_ParamDefUnion, point3d_d.y_dephault) == 32);
static_assert(offsetof(PF_ParamDefUnion, point3d_d.z_dephault) == 40);
static_assert(offsetof(PF_ParamDefUnion, point3d_d.reserved) == 48);
static_assert(sizeof(PF_ParamDefUnion) == 120);
static_assert(alignof(PF_ParamDefUnion) == 8);

// PF_SliderDef
static_assert(offsetof(PF_SliderDef, value) == 0);
static_assert(offsetof(PF_SliderDef, value_str) == 4);
static_assert(offsetof(PF_SliderDef, value_desc) == 36);
static_assert(offsetof(PF_SliderDef, valid_min) == 68);
static_assert(offsetof(PF_SliderDef, valid_max) == 72);
static_assert(offsetof(PF_SliderDef, slider_min) == 76);
static_assert(offsetof(PF_SliderDef, slider_max) == 80);
static_assert(offsetof(PF_SliderDef, dephault) == 84);
static_assert(sizeof(PF_SliderDef) == 88);
static_assert(alignof(PF_SliderDef) == 4);

// PF_FloatSliderDef
static_assert(offsetof(PF_FloatSliderDef, value) == 0);
static_assert(offsetof(PF_FloatSliderDef, phase) == 8);
static_assert(offsetof(PF_FloatSliderDef, value_desc) == 16);
static_assert(offsetof(PF_FloatSliderDef, valid_min) == 48);
static_assert(offsetof(PF_FloatSliderDef, valid_max) == 52);
static_assert(offsetof(PF_FloatSliderDef, slider_min) == 56);
static_assert(offsetof(PF_FloatSliderDef, slider_max) == 60);
static_assert(offsetof(PF_FloatSliderDef, dephault) == 64);
static_assert(offsetof(PF_FloatSliderDef, precision) == 68);
static_assert(offsetof(PF_FloatSliderDef, display_flags) == 70);
static_assert(offsetof(PF_FloatSliderDef, fs_flags) == 72);
static_assert(offsetof(PF_FloatSliderDef, curve_tolerance) == 76);
static_assert(offsetof(PF_FloatSliderDef, useExponent) == 80);
static_assert(offsetof(PF_FloatSliderDef, exponent) == 84);
static_assert(sizeof(PF_FloatSliderDef) == 88);
static_assert(alignof(PF_FloatSliderDef) == 8);

// PF_AngleDef
static_assert(offsetof(PF_AngleDef, value) == 0);
static_assert(offsetof(PF_AngleDef, dephault) == 4);
static_assert(offsetof(PF_AngleDef, valid_min) == 8);
static_assert(offsetof(PF_AngleDef, valid_max) == 12);
static_assert(sizeof(PF_AngleDef) == 16);
static_assert(alignof(PF_AngleDef) == 4);

// PF_CheckBoxDef
static_assert(offsetof(PF_CheckBoxDef, value) == 0);
static_assert(offsetof(PF_CheckBoxDef, dephault) == 4);
static_assert(offsetof(PF_CheckBoxDef, reserved) == 5);
static_assert(offsetof(PF_CheckBoxDef, reserved1) == 6);
static_assert(offsetof(PF_CheckBoxDef, u) == 8);
static_assert(offsetof(PF_CheckBoxDef, u.nameptr) == 8);
static_assert(sizeof(PF_CheckBoxDef) == 16);
static_assert(alignof(PF_CheckBoxDef) == 8);

// PF_ColorDef
static_assert(offsetof(PF_ColorDef, value) == 0);
static_assert(offsetof(PF_ColorDef, value.alpha) == 0);
static_assert(offsetof(PF_ColorDef, value.red) == 1);
static_assert(offsetof(PF_ColorDef, value.green) == 2);
static_assert(offsetof(PF_ColorDef, value.blue) == 3);
static_assert(offsetof(PF_ColorDef, dephault) == 4);
static_assert(offsetof(PF_ColorDef, dephault.alpha) == 4);
static_assert(offsetof(PF_ColorDef, dephault.red) == 5);
static_assert(offsetof(PF_ColorDef, dephault.green) == 6);
static_assert(offsetof(PF_ColorDef, dephault.blue) == 7);
static_assert(sizeof(PF_ColorDef) == 8);
static_assert(alignof(PF_ColorDef) == 1);

// PF_PathDef
static_assert(offsetof(PF_PathDef, path_id) == 0);
static_assert(offsetof(PF_PathDef, reserved0) == 4);
static_assert(offsetof(PF_PathDef, dephault) == 8);
static_assert(sizeof(PF_PathDef) == 12);
static_assert(alignof(PF_PathDef) == 4);

// PF_LayerDef
static_assert(offsetof(PF_LayerDef, reserved0) == 0);
static_assert(offsetof(PF_LayerDef, reserved1) == 8);
static_assert(offsetof(PF_LayerDef, world_flags) == 16);
static_assert(offsetof(PF_LayerDef, data) == 24);
static_assert(offsetof(PF_LayerDef, rowbytes) == 32);
static_assert(offsetof(PF_LayerDef, width) == 36);
static_assert(offsetof(PF_LayerDef, height) == 40);
static_assert(offsetof(PF_LayerDef, extent_hint) == 44);
static_assert(offsetof(PF_LayerDef, extent_hint.left) == 44);
static_assert(offsetof(PF_LayerDef, extent_hint.top) == 48);
static_assert(offsetof(PF_LayerDef, extent_hint.right) == 52);
static_assert(offsetof(PF_LayerDef, extent_hint.bottom) == 56);
static_assert(offsetof(PF_LayerDef, platform_ref) == 64);
static_assert(offsetof(PF_LayerDef, reserved_long1) == 72);
static_assert(offsetof(PF_LayerDef, reserved_long4) == 80);
static_assert(offsetof(PF_LayerDef, pix_aspect_ratio) == 88);
static_assert(offsetof(PF_LayerDef, pix_aspect_ratio.num) == 88);
static_assert(offsetof(PF_LayerDef, pix_aspect_ratio.den) == 92);
static_assert(offsetof(PF_LayerDef, reserved_long2) == 96);
static_assert(offsetof(PF_LayerDef, origin_x) == 104);
static_assert(offsetof(PF_LayerDef, origin_y) == 108);
static_assert(offsetof(PF_LayerDef, reserved_long3) == 112);
static_assert(offsetof(PF_LayerDef, dephault) == 116);
static_assert(sizeof(PF_LayerDef) == 120);
static_assert(alignof(PF_LayerDef) == 8);

// PF_PreRenderExtra
static_assert(offsetof(PF_PreRenderExtra, input) == 0);
static_assert(offsetof(PF_PreRenderExtra, output) == 8);
static_assert(offsetof(PF_PreRenderExtra, cb) == 16);
static_assert(sizeof(PF_PreRenderExtra) == 24);
static_assert(alignof(PF_PreRenderExtra) == 8);

// PF_PreRenderInput
static_assert(offsetof(PF_PreRenderInput, output_request) == 0);
static_assert(offsetof(PF_PreRenderInput, output_request.rect) == 0);
static_assert(offsetof(PF_PreRenderInput, output_request.rect.left) == 0);
static_assert(offsetof(PF_PreRenderInput, output_request.rect.top) == 4);
static_assert(offsetof(PF_PreRenderInput, output_request.rect.right) == 8);
static_assert(offsetof(PF_PreRenderInput, output_request.rect.bottom) == 12);
static_assert(offsetof(PF_PreRenderInput, output_request.field) == 16);
static_assert(offsetof(PF_PreRenderInput, output_request.channel_mask) == 20);
static_assert(offsetof(PF_PreRenderInput, output_request.preserve_rgb_of_zero_alpha) == 24);
static_assert(offsetof(PF_PreRenderInput, output_request.unused) == 25);
static_assert(offsetof(PF_PreRenderInput, output_request.reserved) == 28);
static_assert(offsetof(PF_PreRenderInput, bitdepth) == 44);
static_assert(sizeof(PF_PreRenderInput) == 48);
static_assert(alignof(PF_PreRenderInput) == 4);

// PF_PreRenderOutput
static_assert(offsetof(PF_PreRenderOutput, result_rect) == 0);
static_assert(offsetof(PF_PreRenderOutput, result_rect.left) == 0);
static_assert(offsetof(PF_PreRenderOutput, result_rect.top) == 4);
static_assert(offsetof(PF_PreRenderOutput, result_rect.right) == 8);
static_assert(offsetof(PF_PreRenderOutput, result_rect.bottom) == 12);
static_assert(offsetof(PF_PreRenderOutput, max_result_rect) == 16);
static_assert(offsetof(PF_PreRenderOutput, max_result_rect.left) == 16);
static_assert(offsetof(PF_PreRenderOutput, max_result_rect.top) == 20);
static_assert(offsetof(PF_PreRenderOutput, max_result_rect.right) == 24);
static_assert(offsetof(PF_PreRenderOutput, max_result_rect.bottom) == 28);
static_assert(offsetof(PF_PreRenderOutput, solid) == 32);
static_assert(offsetof(PF_PreRenderOutput, reserved) == 33);
static_assert(offsetof(PF_PreRenderOutput, flags) == 34);
static_assert(offsetof(PF_PreRenderOutput, pre_render_data) == 40);
static_assert(offsetof(PF_PreRenderOutput, delete_pre_render_data_func) == 48);
static_assert(sizeof(PF_PreRenderOutput) == 56);
static_assert(alignof(PF_PreRenderOutput) == 8);

// PF_PreRenderCallbacks
static_assert(offsetof(PF_PreRenderCallbacks, checkout_layer) == 0);
static_assert(sizeof(PF_PreRenderCallbacks) == 8);
static_assert(alignof(PF_PreRenderCallbacks) == 8);

// PF_RenderRequest
static_assert(offsetof(PF_RenderRequest, rect) == 0);
static_assert(offsetof(PF_RenderRequest, rect.left) == 0);
static_assert(offsetof(PF_RenderRequest, rect.top) == 4);
static_assert(offsetof(PF_RenderRequest, rect.right) == 8);
static_assert(offsetof(PF_RenderRequest, rect.bottom) == 12);
static_assert(offsetof(PF_RenderRequest, field) == 16);
static_assert(offsetof(PF_RenderRequest, channel_mask) == 20);
static_assert(offsetof(PF_RenderRequest, preserve_rgb_of_zero_alpha) == 24);
static_assert(offsetof(PF_RenderRequest, unused) == 25);
static_assert(offsetof(PF_RenderRequest, reserved) == 28);
static_assert(sizeof(PF_RenderRequest) == 44);
static_assert(alignof(PF_RenderRequest) == 4);

// PF_CheckoutResult
static_assert(offsetof(PF_CheckoutResult, result_rect) == 0);
static_assert(offsetof(PF_CheckoutResult, result_rect.left) == 0);
static_assert(offsetof(PF_CheckoutResult, result_rect.top) == 4);
static_assert(offsetof(PF_CheckoutResult, result_rect.right) == 8);
static_assert(offsetof(PF_CheckoutResult, result_rect.bottom) == 12);
static_assert(offsetof(PF_CheckoutResult, max_result_rect) == 16);
static_assert(offsetof(PF_CheckoutResult, max_result_rect.left) == 16);
static_assert(offsetof(PF_CheckoutResult, max_result_rect.top) == 20);
static_assert(offsetof(PF_CheckoutResult, max_result_rect.right) == 24);
static_assert(offsetof(PF_CheckoutResult, max_result_rect.bottom) == 28);
static_assert(offsetof(PF_CheckoutResult, par) == 32);
static_assert(offsetof(PF_CheckoutResult, par.num) == 32);
static_assert(offsetof(PF_CheckoutResult, par.den) == 36);
static_assert(offsetof(PF_CheckoutResult, solid) == 40);
static_assert(offsetof(PF_CheckoutResult, reservedB) == 41);
static_assert(offsetof(PF_CheckoutResult, ref_width) == 44);
static_assert(offsetof(PF_CheckoutResult, ref_height) == 48);
static_assert(offsetof(PF_CheckoutResult, reserved) == 52);
static_assert(sizeof(PF_CheckoutResult) == 76);
static_assert(alignof(PF_CheckoutResult) == 4);

// PF_SmartRenderExtra
static_assert(offsetof(PF_SmartRenderExtra, input) == 0);
static_assert(offsetof(PF_SmartRenderExtra, cb) == 8);
static_assert(sizeof(PF_SmartRenderExtra) == 16);
static_assert(alignof(PF_SmartRenderExtra) == 8);

// PF_SmartRenderInput
static_assert(offsetof(PF_SmartRenderInput, output_request) == 0);
static_assert(offsetof(PF_SmartRenderInput, output_request.rect) == 0);
static_assert(offsetof(PF_SmartRenderInput, output_request.rect.left) == 0);
static_assert(offsetof(PF_SmartRenderInput, output_request.rect.top) == 4);
static_assert(offsetof(PF_SmartRenderInput, output_request.rect.right) == 8);
static_assert(offsetof(PF_SmartRenderInput, output_request.rect.bottom) == 12);
static_assert(offsetof(PF_SmartRenderInput, output_request.field) == 16);
static_assert(offsetof(PF_SmartRenderInput, output_request.channel_mask) == 20);
static_assert(offsetof(PF_SmartRenderInput, output_request.preserve_rgb_of_zero_alpha) == 24);
static_assert(offsetof(PF_SmartRenderInput, output_request.unused) == 25);
static_assert(offsetof(PF_SmartRenderInput, output_request.reserved) == 28);
static_assert(offsetof(PF_SmartRenderInput, bitdepth) == 44);
static_assert(offsetof(PF_SmartRenderInput, pre_render_data) == 48);
static_assert(sizeof(PF_SmartRenderInput) == 56);
static_assert(alignof(PF_SmartRenderInput) == 8);

// PF_SmartRenderCallbacks
static_assert(offsetof(PF_SmartRenderCallbacks, checkout_layer_pixels) == 0);
static_assert(offsetof(PF_SmartRenderCallbacks, checkin_layer_pixels) == 8);
static_assert(offsetof(PF_SmartRenderCallbacks, checkout_output) == 16);
static_assert(sizeof(PF_SmartRenderCallbacks) == 24);
static_assert(alignof(PF_SmartRenderCallbacks) == 8);

// PF_InteractCallbacks
static_assert(offsetof(PF_InteractCallbacks, checkout_param) == 0);
static_assert(offsetof(PF_InteractCallbacks, checkin_param) == 8);
static_assert(offsetof(PF_InteractCallbacks, add_param) == 16);
static_assert(offsetof(PF_InteractCallbacks, abort) == 24);
static_assert(offsetof(PF_InteractCallbacks, progress) == 32);
static_assert(offsetof(PF_InteractCallbacks, register_ui) == 40);
static_assert(offsetof(PF_InteractCallbacks, checkout_layer_audio) == 48);
static_assert(offsetof(PF_InteractCallbacks, checkin_layer_audio) == 56);
static_assert(offsetof(PF_InteractCallbacks, get_audio_data) == 64);
static_assert(offsetof(PF_InteractCallbacks, reserved_str) == 72);
static_assert(offsetof(PF_InteractCallbacks, reserved) == 96);
static_assert(sizeof(PF_InteractCallbacks) == 176);
static_assert(alignof(PF_InteractCallbacks) == 8);

// _PF_UtilCallbacks
static_assert(offsetof(_PF_UtilCallbacks, begin_sampling) == 0);
static_assert(offsetof(_PF_UtilCallbacks, subpixel_sample) == 8);
static_assert(offsetof(_PF_UtilCallbacks, area_sample) == 16);
static_assert(offsetof(_PF_UtilCallbacks, get_batch_func_is_deprecated) == 24);
static_assert(offsetof(_PF_UtilCallbacks, end_sampling) == 32);
static_assert(offsetof(_PF_UtilCallbacks, composite_rect) == 40);
static_assert(offsetof(_PF_UtilCallbacks, blend) == 48);
static_assert(offsetof(_PF_UtilCallbacks, convolve) == 56);
static_assert(offsetof(_PF_UtilCallbacks, copy) == 64);
static_assert(offsetof(_PF_UtilCallbacks, fill) == 72);
static_assert(offsetof(_PF_UtilCallbacks, gaussian_kernel) == 80);
static_assert(offsetof(_PF_UtilCallbacks, iterate) == 88);
static_assert(offsetof(_PF_UtilCallbacks, premultiply) == 96);
static_assert(offsetof(_PF_UtilCallbacks, premultiply_color) == 104);
static_assert(offsetof(_PF_UtilCallbacks, new_world) == 112);
static_assert(offsetof(_PF_UtilCallbacks, dispose_world) == 120);
static_assert(offsetof(_PF_UtilCallbacks, iterate_origin) == 128);
static_assert(offsetof(_PF_UtilCallbacks, iterate_lut) == 136);
static_assert(offsetof(_PF_UtilCallbacks, transfer_rect) == 144);
static_assert(offsetof(_PF_UtilCallbacks, transform_world) == 152);
static_assert(offsetof(_PF_UtilCallbacks, host_new_handle) == 160);
static_assert(offsetof(_PF_UtilCallbacks, host_lock_handle) == 168);
static_assert(offsetof(_PF_UtilCallbacks, host_unlock_handle) == 176);
static_assert(offsetof(_PF_UtilCallbacks, host_dispose_handle) == 184);
static_assert(offsetof(_PF_UtilCallbacks, get_callback_addr) == 192);
static_assert(offsetof(_PF_UtilCallbacks, app) == 200);
static_assert(offsetof(_PF_UtilCallbacks, ansi) == 208);
static_assert(offsetof(_PF_UtilCallbacks, ansi.atan) == 208);
static_assert(offsetof(_PF_UtilCallbacks, ansi.atan2) == 216);
static_assert(offsetof(_PF_UtilCallbacks, ansi.ceil) == 224);
static_assert(offsetof(_PF_UtilCallbacks, ansi.cos) == 232);
static_assert(offsetof(_PF_UtilCallbacks, ansi.exp) == 240);
static_assert(offsetof(_PF_UtilCallbacks, ansi.fabs) == 248);
static_assert(offsetof(_PF_UtilCallbacks, ansi.floor) == 256);
static_assert(offsetof(_PF_UtilCallbacks, ansi.fmod) == 264);
static_assert(offsetof(_PF_UtilCallbacks, ansi.hypot) == 272);
static_assert(offsetof(_PF_UtilCallbacks, ansi.log) == 280);
static_assert(offsetof(_PF_UtilCallbacks, ansi.log10) == 288);
static_assert(offsetof(_PF_UtilCallbacks, ansi.pow) == 296);
static_assert(offsetof(_PF_UtilCallbacks, ansi.sin) == 304);
static_assert(offsetof(_PF_UtilCallbacks, ansi.sqrt) == 312);
static_assert(offsetof(_PF_UtilCallbacks, ansi.tan) == 320);
static_assert(offsetof(_PF_UtilCallbacks, ansi.sprintf) == 328);
static_assert(offsetof(_PF_UtilCallbacks, ansi.strcpy) == 336);
static_assert(offsetof(_PF_UtilCallbacks, ansi.asin) == 344);
static_assert(offsetof(_PF_UtilCallbacks, ansi.acos) == 352);
static_assert(offsetof(_PF_UtilCallbacks, ansi.ansi_procs) == 360);
static_assert(offsetof(_PF_UtilCallbacks, colorCB) == 368);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.RGBtoHLS) == 368);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.HLStoRGB) == 376);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.RGBtoYIQ) == 384);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.YIQtoRGB) == 392);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.Luminance) == 400);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.Hue) == 408);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.Lightness) == 416);
static_assert(offsetof(_PF_UtilCallbacks, colorCB.Saturation) == 424);
static_assert(offsetof(_PF_UtilCallbacks, get_platform_data) == 432);
static_assert(offsetof(_PF_UtilCallbacks, host_get_handle_size) == 440);
static_assert(offsetof(_PF_UtilCallbacks, iterate_origin_non_clip_src) == 448);
static_assert(offsetof(_PF_UtilCallbacks, iterate_generic) == 456);
static_assert(offsetof(_PF_UtilCallbacks, host_resize_handle) == 464);
static_assert(offsetof(_PF_UtilCallbacks, subpixel_sample16) == 472);
static_assert(offsetof(_PF_UtilCallbacks, area_sample16) == 480);
static_assert(offsetof(_PF_UtilCallbacks, fill16) == 488);
static_assert(offsetof(_PF_UtilCallbacks, premultiply_color16) == 496);
static_assert(offsetof(_PF_UtilCallbacks, iterate16) == 504);
static_assert(offsetof(_PF_UtilCallbacks, iterate_origin16) == 512);
static_assert(offsetof(_PF_UtilCallbacks, iterate_origin_non_clip_src16) == 520);
static_assert(offsetof(_PF_UtilCallbacks, get_pixel_data8) == 528);
static_assert(offsetof(_PF_UtilCallbacks, get_pixel_data16) == 536);
static_assert(offsetof(_PF_UtilCallbacks, reserved) == 544);
static_assert(sizeof(_PF_UtilCallbacks) == 552);
static_assert(alignof(_PF_UtilCallbacks) == 8);

// PF_ANSICallbacks
static_assert(offsetof(PF_ANSICallbacks, atan) == 0);
static_assert(offsetof(PF_ANSICallbacks, atan2) == 8);
static_assert(offsetof(PF_ANSICallbacks, ceil) == 16);
static_assert(offsetof(PF_ANSICallbacks, cos) == 24);
static_assert(offsetof(PF_ANSICallbacks, exp) == 32);
static_assert(offsetof(PF_ANSICallbacks, fabs) == 40);
static_assert(offsetof(PF_ANSICallbacks, floor) == 48);
static_assert(offsetof(PF_ANSICallbacks, fmod) == 56);
static_assert(offsetof(PF_ANSICallbacks, hypot) == 64);
static_assert(offsetof(PF_ANSICallbacks, log) == 72);
static_assert(offsetof(PF_ANSICallbacks, log10) == 80);
static_assert(offsetof(PF_ANSICallbacks, pow) == 88);
static_assert(offsetof(PF_ANSICallbacks, sin) == 96);
static_assert(offsetof(PF_ANSICallbacks, sqrt) == 104);
static_assert(offsetof(PF_ANSICallbacks, tan) == 112);
static_assert(offsetof(PF_ANSICallbacks, sprintf) == 120);
static_assert(offsetof(PF_ANSICallbacks, strcpy) == 128);
static_assert(offsetof(PF_ANSICallbacks, asin) == 136);
static_assert(offsetof(PF_ANSICallbacks, acos) == 144);
static_assert(offsetof(PF_ANSICallbacks, ansi_procs) == 152);
static_assert(sizeof(PF_ANSICallbacks) == 160);
static_assert(alignof(PF_ANSICallbacks) == 8);

// PF_SpecVersion
static_assert(offsetof(PF_SpecVersion, major) == 0);
static_assert(offsetof(PF_SpecVersion, minor) == 2);
static_assert(sizeof(PF_SpecVersion) == 4);
static_assert(alignof(PF_SpecVersion) == 2);

// PF_RationalScale
static_assert(offsetof(PF_RationalScale, num) == 0);
static_assert(offsetof(PF_RationalScale, den) == 4);
static_assert(sizeof(PF_RationalScale) == 8);
static_assert(alignof(PF_RationalScale) == 4);

// PF_LRect
static_assert(offsetof(PF_LRect, left) == 0);
static_assert(offsetof(PF_LRect, top) == 4);
static_assert(offsetof(PF_LRect, right) == 8);
static_assert(offsetof(PF_LRect, bottom) == 12);
static_assert(sizeof(PF_LRect) == 16);
static_assert(alignof(PF_LRect) == 4);

// PF_CompositeMode
static_assert(offsetof(PF_CompositeMode, xfer) == 0);
static_assert(offsetof(PF_CompositeMode, rand_seed) == 4);
static_assert(offsetof(PF_CompositeMode, opacity) == 8);
static_assert(offsetof(PF_CompositeMode, rgb_only) == 9);
static_assert(offsetof(PF_CompositeMode, opacitySu) == 10);
static_assert(sizeof(PF_CompositeMode) == 12);
static_assert(alignof(PF_CompositeMode) == 4);

// PF_Pixel
static_assert(offsetof(PF_Pixel, alpha) == 0);
static_assert(offsetof(PF_Pixel, red) == 1);
static_assert(offsetof(PF_Pixel, green) == 2);
static_assert(offsetof(PF_Pixel, blue) == 3);
static_assert(sizeof(PF_Pixel) == 4);
static_assert(alignof(PF_Pixel) == 1);

// PF_Pixel16
static_assert(offsetof(PF_Pixel16, alpha) == 0);
static_assert(offsetof(PF_Pixel16, red) == 2);
static_assert(offsetof(PF_Pixel16, green) == 4);
static_assert(offsetof(PF_Pixel16, blue) == 6);
static_assert(sizeof(PF_Pixel16) == 8);
static_assert(alignof(PF_Pixel16) == 2);

// PF_PixelFloat
static_assert(offsetof(PF_PixelFloat, alpha) == 0);
static_assert(offsetof(PF_PixelFloat, red) == 4);
static_assert(offsetof(PF_PixelFloat, green) == 8);
static_assert(offsetof(PF_PixelFloat, blue) == 12);
static_assert(sizeof(PF_PixelFloat) == 16);
static_assert(alignof(PF_PixelFloat) == 4);

// PF_PathVertex
static_assert(offsetof(PF_PathVertex, x) == 0);
static_assert(offsetof(PF_PathVertex, y) == 8);
static_assert(offsetof(PF_PathVertex, tan_in_x) == 16);
static_assert(offsetof(PF_PathVertex, tan_in_y) == 24);
static_assert(offsetof(PF_PathVertex, tan_out_x) == 32);
static_assert(offsetof(PF_PathVertex, tan_out_y) == 40);
static_assert(sizeof(PF_PathVertex) == 48);
static_assert(alignof(PF_PathVertex) == 8);

// SPBasicSuite
static_assert(offsetof(SPBasicSuite, AcquireSuite) == 0);
static_assert(offsetof(SPBasicSuite, ReleaseSuite) == 8);
static_assert(offsetof(SPBasicSuite, IsEqual) == 16);
static_assert(offsetof(SPBasicSuite, AllocateBlock) == 24);
static_assert(offsetof(SPBasicSuite, FreeBlock) == 32);
static_assert(offsetof(SPBasicSuite, ReallocateBlock) == 40);
static_assert(offsetof(SPBasicSuite, Undefined) == 48);
static_assert(sizeof(SPBasicSuite) == 56);
static_assert(alignof(SPBasicSuite) == 8);

// PF_WorldSuite2
static_assert(offsetof(PF_WorldSuite2, PF_NewWorld) == 0);
static_assert(offsetof(PF_WorldSuite2, PF_DisposeWorld) == 8);
static_assert(offsetof(PF_WorldSuite2, PF_GetPixelFormat) == 16);
static_assert(sizeof(PF_WorldSuite2) == 24);
static_assert(alignof(PF_WorldSuite2) == 8);

// PF_WorldSuite1
static_assert(offsetof(PF_WorldSuite1, new_world) == 0);
static_assert(offsetof(PF_WorldSuite1, dispose_world) == 8);
static_assert(sizeof(PF_WorldSuite1) == 16);
static_assert(alignof(PF_WorldSuite1) == 8);

// PF_FillMatteSuite2
static_assert(offsetof(PF_FillMatteSuite2, fill) == 0);
static_assert(offsetof(PF_FillMatteSuite2, fill16) == 8);
static_assert(offsetof(PF_FillMatteSuite2, fill_float) == 16);
static_assert(offsetof(PF_FillMatteSuite2, premultiply) == 24);
static_assert(offsetof(PF_FillMatteSuite2, premultiply_color) == 32);
static_assert(offsetof(PF_FillMatteSuite2, premultiply_color16) == 40);
static_assert(offsetof(PF_FillMatteSuite2, premultiply_color_float) == 48);
static_assert(sizeof(PF_FillMatteSuite2) == 56);
static_assert(alignof(PF_FillMatteSuite2) == 8);

// PF_WorldTransformSuite1
static_assert(offsetof(PF_WorldTransformSuite1, composite_rect) == 0);
static_assert(offsetof(PF_WorldTransformSuite1, blend) == 8);
static_assert(offsetof(PF_WorldTransformSuite1, convolve) == 16);
static_assert(offsetof(PF_WorldTransformSuite1, copy) == 24);
static_assert(offsetof(PF_WorldTransformSuite1, copy_hq) == 32);
static_assert(offsetof(PF_WorldTransformSuite1, transfer_rect) == 40);
static_assert(offsetof(PF_WorldTransformSuite1, transform_world) == 48);
static_assert(sizeof(PF_WorldTransformSuite1) == 56);
static_assert(alignof(PF_WorldTransformSuite1) == 8);

// PF_PathQuerySuite1
static_assert(offsetof(PF_PathQuerySuite1, PF_NumPaths) == 0);
static_assert(offsetof(PF_PathQuerySuite1, PF_PathInfo) == 8);
static_assert(offsetof(PF_PathQuerySuite1, PF_CheckoutPath) == 16);
static_assert(offsetof(PF_PathQuerySuite1, PF_CheckinPath) == 24);
static_assert(sizeof(PF_PathQuerySuite1) == 32);
static_assert(alignof(PF_PathQuerySuite1) == 8);

// PF_PathDataSuite1
static_assert(offsetof(PF_PathDataSuite1, PF_PathIsOpen) == 0);
static_assert(offsetof(PF_PathDataSuite1, PF_PathNumSegments) == 8);
static_assert(offsetof(PF_PathDataSuite1, PF_PathVertexInfo) == 16);
static_assert(offsetof(PF_PathDataSuite1, PF_PathPrepareSegLength) == 24);
static_assert(offsetof(PF_PathDataSuite1, PF_PathGetSegLength) == 32);
static_assert(offsetof(PF_PathDataSuite1, PF_PathEvalSegLength) == 40);
static_assert(offsetof(PF_PathDataSuite1, PF_PathEvalSegLengthDeriv1) == 48);
static_assert(offsetof(PF_PathDataSuite1, PF_PathCleanupSegLength) == 56);
static_assert(offsetof(PF_PathDataSuite1, PF_PathIsInverted) == 64);
static_assert(offsetof(PF_PathDataSuite1, PF_PathGetMaskMode) == 72);
static_assert(offsetof(PF_PathDataSuite1, PF_PathGetName) == 80);
static_assert(sizeof(PF_PathDataSuite1) == 88);
static_assert(alignof(PF_PathDataSuite1) == 8);

// PFAppSuite5
static_assert(offsetof(PFAppSuite5, PF_AppGetBgColor) == 0);
static_assert(offsetof(PFAppSuite5, PF_AppGetColor) == 8);
static_assert(offsetof(PFAppSuite5, PF_AppGetLanguage) == 16);
static_assert(offsetof(PFAppSuite5, PF_GetPersonalInfo) == 24);
static_assert(offsetof(PFAppSuite5, PF_GetFontStyleSheet) == 32);
static_assert(offsetof(PFAppSuite5, PF_SetCursor) == 40);
static_assert(offsetof(PFAppSuite5, PF_IsRenderEngine) == 48);
static_assert(offsetof(PFAppSuite5, PF_AppColorPickerDialog) == 56);
static_assert(offsetof(PFAppSuite5, PF_GetMouse) == 64);
static_assert(offsetof(PFAppSuite5, PF_InvalidateRect) == 72);
static_assert(offsetof(PFAppSuite5, PF_ConvertLocalToGlobal) == 80);
static_assert(offsetof(PFAppSuite5, PF_GetColorAtGlobalPoint) == 88);
static_assert(sizeof(PFAppSuite5) == 96);
static_assert(alignof(PFAppSuite5) == 8);

// PF_ParamUtilsSuite3
static_assert(offsetof(PF_ParamUtilsSuite3, PF_UpdateParamUI) == 0);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_GetCurrentState) == 8);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_AreStatesIdentical) == 16);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_IsIdenticalCheckout) == 24);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_FindKeyframeTime) == 32);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_GetKeyframeCount) == 40);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_CheckoutKeyframe) == 48);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_CheckinKeyframe) == 56);
static_assert(offsetof(PF_ParamUtilsSuite3, PF_KeyIndexToTime) == 64);
static_assert(sizeof(PF_ParamUtilsSuite3) == 72);
static_assert(alignof(PF_ParamUtilsSuite3) == 8);

// Constants
static_assert(PF_Cmd_ABOUT == 0);
static_assert(PF_Cmd_GLOBAL_SETUP == 1);
static_assert(PF_Cmd_GLOBAL_SETDOWN == 3);
static_assert(PF_Cmd_PARAMS_SETUP == 4);
static_assert(PF_Cmd_SEQUENCE_SETUP == 5);
static_assert(PF_Cmd_SEQUENCE_RESETUP == 6);
static_assert(PF_Cmd_SEQUENCE_FLATTEN == 7);
static_assert(PF_Cmd_SEQUENCE_SETDOWN == 8);
static_assert(PF_Cmd_DO_DIALOG == 9);
static_assert(PF_Cmd_FRAME_SETUP == 10);
static_assert(PF_Cmd_RENDER == 11);
static_assert(PF_Cmd_FRAME_SETDOWN == 12);
static_assert(PF_Cmd_USER_CHANGED_PARAM == 13);
static_assert(PF_Cmd_UPDATE_PARAMS_UI == 14);
static_assert(PF_Cmd_EVENT == 15);
static_assert(PF_Cmd_GET_EXTERNAL_DEPENDENCIES == 16);
static_assert(PF_Cmd_COMPLETELY_GENERAL == 17);
static_assert(PF_Cmd_QUERY_DYNAMIC_FLAGS == 18);
static_assert(PF_Cmd_AUDIO_RENDER == 19);
static_assert(PF_Cmd_AUDIO_SETUP == 20);
static_assert(PF_Cmd_AUDIO_SETDOWN == 21);
static_assert(PF_Cmd_ARBITRARY_CALLBACK == 22);
static_assert(PF_Cmd_SMART_PRE_RENDER == 23);
static_assert(PF_Cmd_SMART_RENDER == 24);
static_assert(PF_Cmd_RESERVED1 == 25);
static_assert(PF_Cmd_RESERVED2 == 26);
static_assert(PF_Cmd_RESERVED3 == 27);
static_assert(PF_Err_NONE == 0);
static_assert(PF_Err_OUT_OF_MEMORY == 4);
static_assert(PF_Err_INTERNAL_STRUCT_DAMAGED == 512);
static_assert(PF_Err_INVALID_INDEX == 513);
static_assert(PF_Err_UNRECOGNIZED_PARAM_TYPE == 514);
static_assert(PF_Err_INVALID_CALLBACK == 515);
static_assert(PF_Err_BAD_CALLBACK_PARAM == 516);
static_assert(PF_Interrupt_CANCEL == 517);
static_assert(PF_Err_CANNOT_PARSE_KEYFRAME_TEXT == 518);
static_assert(PF_OutFlag_WIDE_TIME_INPUT == 2);
static_assert(PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING == 16);
static_assert(PF_OutFlag_I_DO_DIALOG == 32);
static_assert(PF_OutFlag_USE_OUTPUT_EXTENT == 64);
static_assert(PF_OutFlag_DEEP_COLOR_AWARE == 33554432);
static_assert(PF_OutFlag_SEND_UPDATE_PARAMS_UI == 67108864);
static_assert(PF_OutFlag_DISPLAY_ERROR_MESSAGE == 256);
static_assert(PF_OutFlag_I_USE_SHUTTER_ANGLE == 524288);
static_assert(PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS == 1);
static_assert(PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG == 8);
static_assert(PF_OutFlag2_I_AM_THREADSAFE == 16);
static_assert(PF_OutFlag2_SUPPORTS_SMART_RENDER == 1024);
static_assert(PF_OutFlag2_FLOAT_COLOR_AWARE == 4096);
static_assert(PF_Param_RESERVED == -1);
static_assert(PF_Param_LAYER == 0);
static_assert(PF_Param_SLIDER == 1);
static_assert(PF_Param_FIX_SLIDER == 2);
static_assert(PF_Param_ANGLE == 3);
static_assert(PF_Param_CHECKBOX == 4);
static_assert(PF_Param_COLOR == 5);
static_assert(PF_Param_POINT == 6);
static_assert(PF_Param_POPUP == 7);
static_assert(PF_Param_CUSTOM == 8);
static_assert(PF_Param_NO_DATA == 9);
static_assert(PF_Param_FLOAT_SLIDER == 10);
static_assert(PF_Param_ARBITRARY_DATA == 11);
static_assert(PF_Param_PATH == 12);
static_assert(PF_Param_GROUP_START == 13);
static_assert(PF_Param_GROUP_END == 14);
static_assert(PF_Param_BUTTON == 15);
static_assert(PF_ParamFlag_CANNOT_TIME_VARY == 2);
static_assert(PF_ParamFlag_CANNOT_INTERP == 4);
static_assert(PF_ParamFlag_COLLAPSE_TWIRLY == 32);
static_assert(PF_ParamFlag_SUPERVISE == 64);
static_assert(PF_ParamFlag_START_COLLAPSED == 32);
static_assert(PF_PUI_DISABLED == 32);
static_assert(PF_PUI_INVISIBLE == 512);
static_assert(PF_ValueDisplayFlag_NONE == 0);
static_assert(PF_ValueDisplayFlag_PERCENT == 1);
static_assert(PF_ValueDisplayFlag_PIXEL == 2);
static_assert(PF_FSliderFlag_NONE == 0);
static_assert(PF_FSliderFlag_WANT_PHASE == 1);
static_assert(PF_PixelFormat_ARGB32 == 1650946657);
static_assert(PF_PixelFormat_ARGB64 == 909206881);
static_assert(PF_PixelFormat_ARGB128 == 842229089);
static_assert(PF_PixelFormat_INVALID == 1717854562);
static_assert(PF_WorldFlag_DEEP == 1);
static_assert(PF_WorldFlag_WRITEABLE == 2);
static_assert(PF_NewWorldFlag_CLEAR_PIXELS == 1);
static_assert(PF_NewWorldFlag_DEEP_PIXELS == 2);
static_assert(PF_MF_Alpha_PREMUL == 0);
static_assert(PF_MF_Alpha_STRAIGHT == 1);
static_assert(PF_Xfer_IN_FRONT == 2);
static_assert(PF_Xfer_COPY == 0);
static_assert(PF_Quality_LO == 0);
static_assert(PF_Quality_HI == 1);
static_assert(PF_Field_FRAME == 0);
static_assert(PF_PlatData_MAIN_WND == 0);
static_assert(PF_PlatData_EXE_FILE_PATH_DEPRECATED == 1);
static_assert(PF_PlatData_RES_FILE_PATH_DEPRECATED == 2);
static_assert(PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS == 1);
static_assert(PF_Stage_DEVELOP == 0);
static_assert(PF_Stage_ALPHA == 1);
static_assert(PF_Stage_BETA == 2);
static_assert(PF_Stage_RELEASE == 3);
static_assert(PF_MAX_CHAN8 == 255);
static_assert(PF_HALF_CHAN8 == 128);
static_assert(PF_MAX_CHAN16 == 32768);
static_assert(PF_HALF_CHAN16 == 16384);
static_assert(PF_MAX_EFFECT_MSG_LEN == 255);
static_assert(PF_MAX_EFFECT_NAME_LEN == 31);
static_assert(PF_MAX_EFFECT_PARAM_NAME_LEN == 31);
static_assert(PF_ParamIndex_CHECK_ALL == -2);
static_assert(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA == 28);
static_assert(PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA == (1 << 23));
static_assert(PF_OutFlag2_SUPPORTS_THREADED_RENDERING == (1 << 27));
// in_data->appl_id of the host is the multi-character literal 'FXTC' as the
// compiler forms it (first character highest); the build passes -Wno-multichar.
static_assert('FXTC' == 0x46585443);
static_assert(PF_VERSION(1, 6, 1, PF_Stage_RELEASE, 7) == 0x000B0E07);
