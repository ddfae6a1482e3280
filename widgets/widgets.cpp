// The widget set: TTileButton, TCreditsPanel, TRoundedButton, TShadowLabel, TThreadedTimer.
