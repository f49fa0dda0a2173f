# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack when it builds the package: whoever builds it names themselves as its maintainer
# with ORVANE_MAINTAINER="Name <address>" in the environment, whatever the build was configured with.
if(NOT "$ENV{ORVANE_MAINTAINER}" STREQUAL "")
  set(CPACK_PACKAGE_CONTACT "$ENV{ORVANE_MAINTAINER}")
endif()
if(CPACK_PACKAGE_CONTACT MATCHES "@(localhost|[^>]*\\.localdomain)>")
  message(FATAL_ERROR "The maintainer's address must reach someone, not this machine: ${CPACK_PACKAGE_CONTACT}")
endif()
if(NOT CPACK_PACKAGE_CONTACT MATCHES "^[^<>@]+ <[^<>@ ]+@[^<>@ ]+\\.[^<>@ ]+>$")
  message(FATAL_ERROR "The maintainer must read \"Name <address>\": ${CPACK_PACKAGE_CONTACT}")
endif()
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
