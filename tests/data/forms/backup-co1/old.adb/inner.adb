inner
