# The content bundle: until darvo-pack exists, an empty library.
add_library(darvo_content INTERFACE)
