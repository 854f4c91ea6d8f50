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
  fuzz_saved_game
  fuzz_phone_message
)

# The longest input each target is given (libFuzzer's -max_len), where 8192
# would only repeat structure. Everything the RTF reader tells apart (groups,
# control words, destinations, the tables, the 4,096-group depth limit)
# fits in 4.5 KB, while every byte of an input is laid out as text: longer
# inputs would slow each run without reaching anything new.
set(ZORBEL_FUZZ_MAX_LEN_fuzz_rtf_reader 4608)
