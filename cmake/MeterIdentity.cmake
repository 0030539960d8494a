# The meter's USB vendor and product identifiers: one setting that the program's constants,
# the udev rule and the AppStream metainfo are all generated from.
#
# The default is a placeholder that no known device carries; a build for a real meter sets
# the meter's own pair (lsusb shows it), e.g. -DPHOTARA_METER_VENDOR_ID=abcd. A user can
# also override it at run time with `photara --meter-id VVVV:PPPP`.
set(PHOTARA_METER_VENDOR_ID "F3B0" CACHE STRING "The meter's USB vendor id (four hex digits)")
set(PHOTARA_METER_PRODUCT_ID "4C4D" CACHE STRING "The meter's USB product id (four hex digits)")

foreach(part VENDOR PRODUCT)
    if(NOT PHOTARA_METER_${part}_ID MATCHES "^[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$")
        message(FATAL_ERROR "PHOTARA_METER_${part}_ID must be four hex digits, as lsusb shows "
                            "them (got '${PHOTARA_METER_${part}_ID}')")
    endif()
endforeach()
if(PHOTARA_METER_VENDOR_ID STREQUAL "0000")
    message(FATAL_ERROR "PHOTARA_METER_VENDOR_ID 0000 is no USB vendor")
endif()

# udev compares sysfs attributes as lowercase text; modaliases carry uppercase.
string(TOLOWER "${PHOTARA_METER_VENDOR_ID}" PHOTARA_METER_VID)
string(TOLOWER "${PHOTARA_METER_PRODUCT_ID}" PHOTARA_METER_PID)
string(TOUPPER "${PHOTARA_METER_VENDOR_ID}" PHOTARA_METER_VID_UPPER)
string(TOUPPER "${PHOTARA_METER_PRODUCT_ID}" PHOTARA_METER_PID_UPPER)
