# Build-time constants: the generation service's address and the donation page.
# The app has no settings; these are fixed when Pelmora is configured.

set(PELMORA_GENERATOR_URL "http://127.0.0.1:47615/api/generate-kaomoji.js"
    CACHE STRING "Address of the kaomoji generation service")
set(PELMORA_DONATE_URL
    "https://www.paypal.com/donate/?country.x=US&locale.x=en_US"
    CACHE STRING "Donation page opened by the Donate menu item")

# Prompts travel to the generation service, so plain http is allowed only when the
# service runs on this machine.
if(NOT PELMORA_GENERATOR_URL MATCHES "^(https|http)://([^/:]+|\\[[^]]+\\])(:[0-9]+)?/api/generate-kaomoji\\.js$")
    message(FATAL_ERROR
        "PELMORA_GENERATOR_URL must be an http(s) address ending in /api/generate-kaomoji.js, "
        "got '${PELMORA_GENERATOR_URL}'")
endif()
set(_generator_scheme "${CMAKE_MATCH_1}")
set(_generator_host "${CMAKE_MATCH_2}")
if(_generator_scheme STREQUAL "http"
   AND NOT _generator_host MATCHES "^(127\\.0\\.0\\.1|\\[::1\\]|localhost)$")
    message(FATAL_ERROR
        "PELMORA_GENERATOR_URL uses plain http for '${_generator_host}'. Prompts may only "
        "travel unencrypted to this machine (127.0.0.1, [::1], localhost); use https for "
        "any other host.")
endif()

if(NOT PELMORA_DONATE_URL MATCHES "^https://[^?]+\\?country\\.x=US&locale\\.x=en_US$")
    message(FATAL_ERROR
        "PELMORA_DONATE_URL must be https with exactly the query country.x=US&locale.x=en_US, "
        "got '${PELMORA_DONATE_URL}'")
endif()
