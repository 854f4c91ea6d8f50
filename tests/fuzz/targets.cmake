# The fuzz targets, one per reader. Shared by the fuzz tree, which builds
# them, and the ordinary build, which runs each briefly as a test.
set(ZORBEL_FUZZ_TARGETS
  fuzz_question_loader
  fuzz_config_file
  fuzz_settings_file
  fuzz_button_draw
  fuzz_rtf_reader
  fuzz_form_layout
  fuzz_text_file
)
