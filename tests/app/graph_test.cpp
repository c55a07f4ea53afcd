// The graph's ring: wrap and start, a new selection, the slider's reach, the scale, the columns
// and the read-out under the mouse.
#include "app_fixture.h"

class AppGraph : public AppTest {
 protected:
  // n samples of group 1 (the elapsed time) in trace 0, one per frame of period prd.
  void record(int n, float prd) {
    msc.prd = prd;
    for (int i = 0; i < n; i++) {
      msc.elap_time += prd;
      update_graph();
    }
  }
  void SetUp() override {
    AppTest::SetUp();
    set.Bgrf[1] = 1;
    set_rlt_grf_choices();
  }
};

TEST_F(AppGraph, RingStartsAtSampleZeroUntilItWrapsThenAtTheOldest) {
  record(GRF_SAMPLES - 1, 0.05f);
  int first, last;
  graph_span(0.0f, &first, &last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(grf.indexstart, 0);
  EXPECT_EQ(grf.graphstruct_full, 0);
  record(6, 0.05f);
  EXPECT_EQ(grf.graphstruct_full, 1);
  EXPECT_EQ(grf.cntr, 4);
  EXPECT_EQ(grf.indexstart, 5);
  graph_span(0.0f, &first, &last);
  EXPECT_EQ(first, 5);
  EXPECT_EQ(last, (5 + 200) % GRF_SAMPLES);  // ten seconds of 0.05 s frames
  EXPECT_FLOAT_EQ(grf.data[0][0][4], msc.elap_time);
  EXPECT_EQ(grf.data[0][1][4], DATA_ABSENT);  // the group has one value
  // Far past the newest sample the span stops there.
  graph_span(1000.0f, &first, &last);
  EXPECT_EQ(first, grf.cntr);
  EXPECT_EQ(last, grf.cntr);
}

TEST_F(AppGraph, NewSelectionClearsTheWholeRing) {
  record(GRF_SAMPLES + 10, 0.05f);
  set.Bgrf[3] = 1;
  set_rlt_grf_choices();
  EXPECT_EQ(grf.cntr, -1);
  EXPECT_EQ(grf.indexstart, 0);
  EXPECT_EQ(grf.graphstruct_full, 0);
  EXPECT_EQ(graph_samples(), 0);
  EXPECT_EQ(grf.data[0][0][7], DATA_ABSENT);
}

TEST_F(AppGraph, SliderReachesWhatTheRingHolds) {
  const struct {
    float prd, stored, slider_max;
  } cases[] = {{0.1f, 180.0f, 170.0f}, {0.01f, 18.0f, 8.0f}, {0.05f, 90.0f, 80.0f}};
  for (const auto& c : cases) {
    set_rlt_grf_choices();
    record(GRF_SAMPLES + 3, c.prd);
    EXPECT_NEAR(graph_stored_seconds(), c.stored, 0.01f) << c.prd;
    EXPECT_NEAR(graph_slider_max(), c.slider_max, 0.01f) << c.prd;
  }
  set_rlt_grf_choices();
  record(20, 0.05f);
  EXPECT_EQ(graph_slider_max(), 0.0f);  // one second stored: nothing to slide
}

TEST_F(AppGraph, ScaleIsThirtyThreeForAnAllZeroTraceAndFitsTheLargestValue) {
  record(50, 0.05f);
  for (int k = 0; k < 50; k++) grf.data[0][0][k] = 0.0f;
  EXPECT_FLOAT_EQ(graph_scale(0), 33.0f);
  EXPECT_FLOAT_EQ(graph_scale(1), 33.0f);  // a trace without data
  grf.data[0][0][10] = -66.0f;
  EXPECT_FLOAT_EQ(graph_scale(0), 0.5f);
}

TEST_F(AppGraph, ReadOutLeftOfTheChartIsTheFirstVisibleSampleAndAnEmptyGraphHasNone) {
  graph_layout(0.0f);
  EXPECT_EQ(graph_sample_under(300), -1);
  // The open window draws an empty chart and reads nothing out (the sanitizer build would see an
  // index of -1).
  MACIBM_startwind(25, 1);
  manage_grf(1);
  mnw.mx = 300;
  plot_grf_current();

  record(GRF_SAMPLES + 100, 0.05f);
  graph_layout(20.0f);
  EXPECT_EQ(graph_sample_under(0), grf_first);
  EXPECT_EQ(graph_sample_under(GRF_CHART_X), grf_first);
  EXPECT_EQ(XofCTR[grf_first], GRF_CHART_X);
  // 2.5 pixels a sample: the sample half a second in stands 25 pixels right.
  int later = (grf_first + 10) % GRF_SAMPLES;
  EXPECT_EQ(graph_sample_under(XofCTR[later]), later);
  EXPECT_EQ(graph_sample_under(9999), grf_last);
}
