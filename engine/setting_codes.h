// Names of the setting codes that the pages and the wizard hand to the
// Direct3D writer (engine/d3d.h) and the OpenGL writer (engine/ogl.h). The
// numbers are what the writer tables (d3d_table.cpp, ogl_table.cpp) and the
// stored presets know the settings by; they never change.
//
// The names say what a code writes on the numbered path. The classic
// Direct3D path reads a few of them otherwise (33, 37 and 38 switch the
// 24-bit Z buffer and the fog table there).
#pragma once

#include <cstdint>

namespace ks {

namespace d3d_code {

// Antialiasing modes.
inline constexpr std::int16_t kAAAuto = 0;
inline constexpr std::int16_t kAA2x = 1;
inline constexpr std::int16_t kAAQuincunx = 2;
inline constexpr std::int16_t kAA4x = 3;
inline constexpr std::int16_t kAA4x9Tap = 4;
inline constexpr std::int16_t kAA4xS = 5;
inline constexpr std::int16_t kAA6xS = 6;
inline constexpr std::int16_t kAA8x = 7;
inline constexpr std::int16_t kAA16x = 8;
inline constexpr std::int16_t kAA6x = 100;
inline constexpr std::int16_t kAA8xS = 101;
inline constexpr std::int16_t kAADisabled = 128;
inline constexpr std::int16_t kSliAA = 127;  // value 0 or 1

// Anisotropic filtering.
inline constexpr std::int16_t kAnisoAuto = 36;
inline constexpr std::int16_t kAnisoBilinear = 10;
inline constexpr std::int16_t kAniso2x = 11;
inline constexpr std::int16_t kAniso4x = 60;
inline constexpr std::int16_t kAniso8x = 61;
inline constexpr std::int16_t kAniso16x = 112;

// Image settings, from the performance end to the quality end.
inline constexpr std::int16_t kHighPerformance = 67;
inline constexpr std::int16_t kPerformance = 68;
inline constexpr std::int16_t kQuality = 69;
inline constexpr std::int16_t kHighQuality = 113;

// Vertical sync.
inline constexpr std::int16_t kVSyncAuto = 45;
inline constexpr std::int16_t kVSyncOn = 44;
inline constexpr std::int16_t kVSyncOff = 43;

// Forced mipmaps.
inline constexpr std::int16_t kForceMipmapsNone = 105;
inline constexpr std::int16_t kForceMipmapsBilinear = 106;
inline constexpr std::int16_t kForceMipmapsTrilinear = 107;

// Switches, each a pair of codes.
inline constexpr std::int16_t kZCompressionOff = 15;
inline constexpr std::int16_t kZCompressionOn = 16;
inline constexpr std::int16_t kFogTableOff = 122;
inline constexpr std::int16_t kFogTableOn = 123;
inline constexpr std::int16_t kLowMipLevelOff = 108;
inline constexpr std::int16_t kLowMipLevelOn = 109;
inline constexpr std::int16_t kTrilinearOptOn = 114;
inline constexpr std::int16_t kTrilinearOptOff = 115;
inline constexpr std::int16_t kAnisoMipOptOn = 116;
inline constexpr std::int16_t kAnisoMipOptOff = 117;
inline constexpr std::int16_t kAnisoSampleOptOn = 120;
inline constexpr std::int16_t kAnisoSampleOptOff = 121;
inline constexpr std::int16_t kMipFilteringOff = 34;
inline constexpr std::int16_t kMipFilteringOn = 35;

// Codes that take the caller's value.
inline constexpr std::int16_t kLodBias = 30;
inline constexpr std::int16_t kPrerenderLimit = 66;
inline constexpr std::int16_t kNegativeLod = 126;

// The multitexture limit: MaxTextures, or the driver's own.
inline constexpr std::int16_t kMaxTextures = 96;
inline constexpr std::int16_t kMaxTexturesDefault = 33;

// Pixel shader versions; the default removes the override.
inline constexpr std::int16_t kPixelShader00 = 37;
inline constexpr std::int16_t kPixelShader11 = 86;
inline constexpr std::int16_t kPixelShader13 = 87;
inline constexpr std::int16_t kPixelShader14 = 88;
inline constexpr std::int16_t kPixelShader20 = 89;
inline constexpr std::int16_t kPixelShader30 = 125;
inline constexpr std::int16_t kPixelShaderDefault = 38;

// Vertex shader versions; the default removes the override.
inline constexpr std::int16_t kVertexShader00 = 90;
inline constexpr std::int16_t kVertexShader11 = 91;
inline constexpr std::int16_t kVertexShader20 = 92;
inline constexpr std::int16_t kVertexShader30 = 124;
inline constexpr std::int16_t kVertexShaderDefault = 93;

}  // namespace d3d_code

namespace ogl_code {

// Antialiasing modes (from build 5000 each runs the Direct3D code of the
// same mode).
inline constexpr std::int16_t kAAAuto = 0;
inline constexpr std::int16_t kAAQuincunx = 1;
inline constexpr std::int16_t kAA2x = 2;
inline constexpr std::int16_t kAA4x = 3;
inline constexpr std::int16_t kAA4x9Tap = 60;
inline constexpr std::int16_t kAA8x = 61;
inline constexpr std::int16_t kAA16x = 62;

// Anisotropic filtering.
inline constexpr std::int16_t kAnisoAuto = 5;
inline constexpr std::int16_t kAniso2x = 4;
inline constexpr std::int16_t kAniso4x = 31;
inline constexpr std::int16_t kAniso8x = 32;

// Image settings, from the performance end to the quality end.
inline constexpr std::int16_t kHighPerformance = 58;
inline constexpr std::int16_t kPerformance = 57;
inline constexpr std::int16_t kQuality = 56;
inline constexpr std::int16_t kHighQuality = 64;

// Swap interval: -1, 1, 0.
inline constexpr std::int16_t kSwapIntervalDisabled = 24;
inline constexpr std::int16_t kSwapIntervalOnByDefault = 26;
inline constexpr std::int16_t kSwapIntervalOffByDefault = 25;

// Forced texture colour depth.
inline constexpr std::int16_t kTextureDepthAuto = 19;
inline constexpr std::int16_t kTextureDepth16 = 20;
inline constexpr std::int16_t kTextureDepth32 = 21;

// S3TC quality 0 to 3.
inline constexpr std::int16_t kS3tcQuality0 = 11;
inline constexpr std::int16_t kS3tcQuality1 = 10;
inline constexpr std::int16_t kS3tcQuality2 = 54;
inline constexpr std::int16_t kS3tcQuality3 = 55;

// Switches, each a pair of codes.
inline constexpr std::int16_t kTripleBufferOn = 12;
inline constexpr std::int16_t kTripleBufferOff = 13;
inline constexpr std::int16_t kGenericCpuOn = 71;
inline constexpr std::int16_t kGenericCpuOff = 72;
inline constexpr std::int16_t kTextureSharpenOn = 22;
inline constexpr std::int16_t kTextureSharpenOff = 23;

// Trilinear quality: a value, or the driver's own.
inline constexpr std::int16_t kTrilinearValue = 66;
inline constexpr std::int16_t kTrilinearDefault = 65;

// Texture compression.
inline constexpr std::int16_t kCompressionOff = 67;
inline constexpr std::int16_t kCompressionByApplication = 68;
inline constexpr std::int16_t kCompressionOn = 69;

// Emulation: an id from build 6000, one code per mode below it.
inline constexpr std::int16_t kEmulationId = 76;
inline constexpr std::int16_t kEmulationNone = 33;
inline constexpr std::int16_t kEmulationAccel1 = 34;
inline constexpr std::int16_t kEmulationAccel10 = 75;
inline constexpr std::int16_t kEmulationNv20 = 35;
inline constexpr std::int16_t kEmulationNv25 = 36;
inline constexpr std::int16_t kEmulationNv30 = 37;

// The version the driver reports: a value, or the driver's own.
inline constexpr std::int16_t kVersionOverride = 73;
inline constexpr std::int16_t kVersionDefault = 74;

// Codes that take the caller's value.
inline constexpr std::int16_t kLodBias = 63;
inline constexpr std::int16_t kMaxFrames = 70;
inline constexpr std::int16_t kGlslSupport = 77;
inline constexpr std::int16_t kRenderer = 78;
// The three optimisations of Check14, in box order; value 0 or 1.
inline constexpr std::int16_t kTrilinearOpt = 79;
inline constexpr std::int16_t kAnisoMipOpt = 80;
inline constexpr std::int16_t kAnisoSampleOpt = 81;

}  // namespace ogl_code

}  // namespace ks
