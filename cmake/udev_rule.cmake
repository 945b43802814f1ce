# The udev rule, generated from the mouse's identity in device/mouse_model.h so that the ids are
# written once. A change to that header makes the next build configure again and rewrite the rule.
# Sets VOLTRANE_UDEV_RULE to the generated file.
set(mouse_model ${PROJECT_SOURCE_DIR}/device/mouse_model.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${mouse_model})
file(READ ${mouse_model} mouse_model_text)
set(hid_name_parts)
foreach(id BusType VendorId ProductId)
    if(NOT mouse_model_text MATCHES "kMouse${id} = 0x([0-9A-F][0-9A-F][0-9A-F][0-9A-F]);")
        message(FATAL_ERROR "device/mouse_model.h does not define kMouse${id} as four upper-case hex digits")
    endif()
    list(APPEND hid_name_parts ${CMAKE_MATCH_1})
endforeach()
# The kernel names the mouse's HID device "BBBB:VVVV:PPPP.NNNN".
list(JOIN hid_name_parts ":" VOLTRANE_MOUSE_HID_NAME)
set(VOLTRANE_UDEV_RULE ${CMAKE_BINARY_DIR}/res/70-voltrane.rules)
configure_file(${PROJECT_SOURCE_DIR}/res/70-voltrane.rules.in ${VOLTRANE_UDEV_RULE} @ONLY)
