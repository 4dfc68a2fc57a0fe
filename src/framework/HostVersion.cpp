#include "framework/HostVersion.h"

int hostVersionNumber(PF_SpecVersion version) {
  const int major = version.major;
  const int minor = version.minor;
  if (major < 12) return 0;
  if (major == 12) {
    if (minor <= 10) return 0;
    switch (minor) {
      case 11: return 65;
      case 12: return 70;
      case 13: return 80;
      case 14: return 90;
      default: return 9999;
    }
  }
  if (major == 13) {
    switch (minor) {
      case 0: return 100;
      case 1: return 105;
      case 2: return 110;
      default: return 9999;
    }
  }
  return 9999;
}

int paramUtilsSuiteVersion(PF_SpecVersion version) { return hostVersionNumber(version) >= 110 ? 3 : 2; }

bool hostReadsStoredDefaults(PF_SpecVersion version) {
  return !(version.major < 12 || (version.major == 12 && version.minor <= 11));
}
