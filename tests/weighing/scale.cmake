# The scale links' own tests are in tests/scale.
