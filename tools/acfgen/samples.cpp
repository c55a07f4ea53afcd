// The list of sample aircraft and their writing into the aircraft folder.
#include <string>

#include "acfgen/acfgen.h"
#include "aircraft/aircraft.h"
#include "shared/shared.h"

const acf_sample acf_samples[] = {
    {"Trainer.acf", fill_trainer},
    {"Light Twin.acf", fill_light_twin},
    {"Turboprop Transport.acf", fill_turboprop_transport},
    {"Business Jet.acf", fill_business_jet},
    {"Helicopter.acf", fill_helicopter},
    {"Floatplane.acf", fill_floatplane},
};
const int acf_sample_count = sizeof acf_samples / sizeof acf_samples[0];

int write_samples(const char* dir) {
  int failed = 0;
  for (int i = 0; i < acf_sample_count; i++) {
    acf_samples[i].fill();
    std::string path = std::string(dir) + "/" + acf_samples[i].file;
    C_to_C(path.c_str(), pln.C_path);
    C_to_C(acf_samples[i].file, pln.C_file);
    if (!writeout_file(path.c_str())) failed++;
  }
  return failed;
}
