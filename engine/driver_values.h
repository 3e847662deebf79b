// Where each driver setting value lives: key, value name and value type by
// OS class. The setting writers (d3d, ogl) and the settings readers use these
// definitions and nothing else, so both sides always address the same value.
//
// Homes (root is HKEY_LOCAL_MACHINE for all of them):
//   kDirect3D   OsClass 1-4:   DriverKey,                   name as is, 4-byte REG_BINARY
//               other OsClass: DriverKey\NVidia\Direct3D,   name as is, REG_DWORD
//   kOpenGL     OsClass 0:     DriverKey\NVidia\OpenGL,     name as is, REG_DWORD
//               other OsClass: DriverKey,                   "OGL_" + name, 4-byte REG_BINARY
//   kOpenGLDebug  every OS:    SOFTWARE\NVIDIA Corporation\Global\OpenGL\Debug, name as is, REG_DWORD
//   kOpenGLLogAniso OsClass 0: DriverKey\NVidia\OpenGL,     name as is, REG_DWORD (never used there)
//               other OsClass: DriverKey,                   name as is, 4-byte REG_BINARY
// The Direct3D home counts only classes 1-4 as the NT family, the OpenGL homes
// every class but 0, as the driver's two parts were told apart.
#pragma once

#include <cstdint>
#include <string>

#include "common/basRegistry.h"

namespace ks {

struct SeState;

enum class ValueHome : std::uint8_t { kDirect3D, kOpenGL, kOpenGLDebug, kOpenGLLogAniso };

struct DriverValue {
  const char* name;  // the driver's spelling, without any prefix
  ValueHome home;
};

struct ValueLocation {
  RegKey root = kHkeyLocalMachine;
  std::string key;
  std::string name;
  bool binary = false;  // the writer switch the value is written with (4-byte REG_BINARY)
};

// True when the Direct3D values live directly under DriverKey as REG_BINARY.
bool D3DIsNtFamily(const SeState& state);
// True when the OpenGL values carry the "OGL_" prefix and are REG_BINARY.
bool OglIsNtFamily(const SeState& state);

// The key, full value name and value type of one value on this machine.
ValueLocation Locate(const SeState& state, const DriverValue& value);
// The value read where the writers keep it on this machine.
RegRead ReadDriverValue(SeState& state, const DriverValue& value);

inline constexpr const char* kDirect3DSubkey = "\\NVidia\\Direct3D";
inline constexpr const char* kOpenGLSubkey = "\\NVidia\\OpenGL";
inline constexpr const char* kOpenGLDebugKey = "SOFTWARE\\NVIDIA Corporation\\Global\\OpenGL\\Debug";
inline constexpr const char* kOpenGLPrefix = "OGL_";

// Direct3D values of the classic drivers (Windows 9x/Me, build 2280 or lower).
namespace d3d_classic {
inline constexpr DriverValue kAAEnable{"ANTIALIASENABLE", ValueHome::kDirect3D};
inline constexpr DriverValue kAAQuality{"ANTIALIASQUALITY", ValueHome::kDirect3D};
inline constexpr DriverValue kAAForceEnable{"ANTIALIASFORCEENABLE", ValueHome::kDirect3D};
inline constexpr DriverValue kAnisoLevel{"ANISOTROPICLEVEL", ValueHome::kDirect3D};
inline constexpr DriverValue kZCompress{"ZCOMPRESSENABLE", ValueHome::kDirect3D};
inline constexpr DriverValue kVideoTexture{"VIDEOTEXTUREENABLE", ValueHome::kDirect3D};
inline constexpr DriverValue kLodBias{"LODBIASADJUST", ValueHome::kDirect3D};
inline constexpr DriverValue kZ24{"Z24ENABLE", ValueHome::kDirect3D};
inline constexpr DriverValue kUserMipmaps{"USERMIPMAPENABLE", ValueHome::kDirect3D};
inline constexpr DriverValue kFogTable{"FOGTABLEENABLE", ValueHome::kDirect3D};
}  // namespace d3d_classic

// Direct3D values of the numbered drivers; "D3DOGL_" ones are shared with OpenGL.
// Names compare without regard to case; where the driver's own spelling
// differs between writing and deleting one value, both spellings are kept.
namespace d3d {
inline constexpr DriverValue kAAMode{"D3DOGL_70835937", ValueHome::kDirect3D};
inline constexpr DriverValue kAAModeOld{"D3d_70835937", ValueHome::kDirect3D};
inline constexpr DriverValue kAAControl{"D3D_08285629", ValueHome::kDirect3D};
inline constexpr DriverValue kSliAA{"D3DOGL_12677978", ValueHome::kDirect3D};
inline constexpr DriverValue kAniso{"D3DOGL_74095213", ValueHome::kDirect3D};
inline constexpr DriverValue kAnisoOld{"D3d_74095213", ValueHome::kDirect3D};
inline constexpr DriverValue kForceMipmaps{"D3DOGL_03385531", ValueHome::kDirect3D};
inline constexpr DriverValue kLodBias{"D3D_88481200", ValueHome::kDirect3D};
inline constexpr DriverValue kPrerender{"D3D_98764205", ValueHome::kDirect3D};
inline constexpr DriverValue kMaxTextures{"D3D_59954022", ValueHome::kDirect3D};
inline constexpr DriverValue kNegativeLod{"D3D_16579523", ValueHome::kDirect3D};
inline constexpr DriverValue kPsVersion{"D3d_59954021", ValueHome::kDirect3D};
inline constexpr DriverValue kVsVersion{"D3D_59954023", ValueHome::kDirect3D};
inline constexpr DriverValue kVsVersionDel{"D3d_59954023", ValueHome::kDirect3D};  // same value as kVsVersion
inline constexpr DriverValue kZCompress{"D3d_46205529", ValueHome::kDirect3D};
inline constexpr DriverValue kVideoTextureOld{"D3d_38375933", ValueHome::kDirect3D};
inline constexpr DriverValue kVideoTexture{"D3D_859030122", ValueHome::kDirect3D};
inline constexpr DriverValue kMipFiltering{"D3D_36759435", ValueHome::kDirect3D};
inline constexpr DriverValue kVSync{"D3D_60461791", ValueHome::kDirect3D};
inline constexpr DriverValue kQuality{"D3D_QualityEnhancements", ValueHome::kDirect3D};
inline constexpr DriverValue kLowMipLevel{"D3D_69109016", ValueHome::kDirect3D};
inline constexpr DriverValue kTrilinearOpt{"D3D_94118636", ValueHome::kDirect3D};
inline constexpr DriverValue kAnisoMipOpt{"D3D_40792312", ValueHome::kDirect3D};
inline constexpr DriverValue kAnisoSampleOpt{"D3D_30913648", ValueHome::kDirect3D};
inline constexpr DriverValue kFogTable{"D3d_20466189", ValueHome::kDirect3D};
inline constexpr DriverValue k42935363{"D3d_42935363", ValueHome::kDirect3D};
inline constexpr DriverValue k62225341{"D3d_62225341", ValueHome::kDirect3D};
inline constexpr DriverValue k64907714{"D3d_64907714", ValueHome::kDirect3D};
inline constexpr DriverValue kA2103837{"D3d_a2103837", ValueHome::kDirect3D};
inline constexpr DriverValue kA4176590{"D3d_a4176590", ValueHome::kDirect3D};
inline constexpr DriverValue k40283424{"D3D_40283424", ValueHome::kDirect3D};
inline constexpr DriverValue k19521893{"D3D_19521893", ValueHome::kDirect3D};
inline constexpr DriverValue k37210571{"D3D_37210571", ValueHome::kDirect3D};
inline constexpr DriverValue k48484658{"D3d_48484658", ValueHome::kDirect3D};
inline constexpr DriverValue k44013233{"D3D_44013233", ValueHome::kDirect3D};
inline constexpr DriverValue k20071974{"D3D_20071974", ValueHome::kDirect3D};
inline constexpr DriverValue k26771978{"D3D_26771978", ValueHome::kDirect3D};
inline constexpr DriverValue k35173345{"D3D_35173345", ValueHome::kDirect3D};
inline constexpr DriverValue k35173345Del{"D3d_35173345", ValueHome::kDirect3D};  // same value as k35173345
}  // namespace d3d

// OpenGL values ("OGL_" in front on the NT family, see the homes above).
namespace ogl {
inline constexpr DriverValue kFsaaMode{"FSAAMode", ValueHome::kOpenGL};
inline constexpr DriverValue kForceMultiTexture{"ForceMultiTexture", ValueHome::kOpenGL};
inline constexpr DriverValue kS3tcQuality{"S3TCQuality", ValueHome::kOpenGL};
inline constexpr DriverValue kEnableTripleBuffer{"EnableTripleBuffer", ValueHome::kOpenGL};
inline constexpr DriverValue kTripleBuffer{"TripleBuffer", ValueHome::kOpenGL};
inline constexpr DriverValue kForce16BitZ{"EnableForce16BitZ", ValueHome::kOpenGL};
inline constexpr DriverValue kTexLodBias{"TexLODBias", ValueHome::kOpenGL};
inline constexpr DriverValue kRenderQualityFlags{"RenderQualityFlags", ValueHome::kOpenGL};
inline constexpr DriverValue kTexSharpen{"TexSharpen", ValueHome::kOpenGL};
inline constexpr DriverValue kSwapInterval{"DefaultSwapInterval", ValueHome::kOpenGL};
inline constexpr DriverValue kSingleBackDepth{"EnableSingleBackDepthBuffer", ValueHome::kOpenGL};
inline constexpr DriverValue kMaxNvAccel{"MaxNVACCEL", ValueHome::kOpenGL};
inline constexpr DriverValue kNv20Emulate{"NV20Emulate", ValueHome::kOpenGL};
inline constexpr DriverValue kNv25Emulate{"NV25Emulate", ValueHome::kOpenGL};
inline constexpr DriverValue kNv30Emulate{"NV30Emulate", ValueHome::kOpenGL};
inline constexpr DriverValue kNvEmulate{"NVEmulate", ValueHome::kOpenGL};
inline constexpr DriverValue kAnisoQuality{"AnisoQuality", ValueHome::kOpenGL};
inline constexpr DriverValue kNv15Alines{"NV15Alines", ValueHome::kOpenGL};
inline constexpr DriverValue kQuality{"QualityEnhancements", ValueHome::kOpenGL};
inline constexpr DriverValue kTrilinearQuality{"95282304", ValueHome::kOpenGL};
inline constexpr DriverValue kCompression{"19723457", ValueHome::kOpenGL};
inline constexpr DriverValue kMaxFrames{"MaxFramesAllowed", ValueHome::kOpenGL};
inline constexpr DriverValue kForceGenericCpu{"ForceGenericCPU", ValueHome::kOpenGL};
inline constexpr DriverValue kVersionOverride{"308826", ValueHome::kOpenGL};
inline constexpr DriverValue kTrilinearOpt{"563A95F1", ValueHome::kOpenGL};
inline constexpr DriverValue kAnisoMipOpt{"01887890", ValueHome::kOpenGL};
inline constexpr DriverValue kAnisoSampleOpt{"1190801A", ValueHome::kOpenGL};
inline constexpr DriverValue kDefaultLogAniso{"Ogl_DefaultLogAniso", ValueHome::kOpenGLLogAniso};
inline constexpr DriverValue kGlslSupport{"NV4xGLSLFunctionality", ValueHome::kOpenGLDebug};
inline constexpr DriverValue kRenderer{"Renderer", ValueHome::kOpenGLDebug};
}  // namespace ogl

}  // namespace ks
