#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Physics/CollisionManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RangedComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace
{
	using namespace StateMachines;
	using Tarn::HashedName;

	// No routine of the game is filed under these: the tests file their own.
	constexpr int32_t kFreeCode = 4;
	constexpr int32_t kSecondFreeCode = 23;
	constexpr int32_t kUnansweredMessage = 25;

	// An object of any kind carrying the given components.
	class Holder : public Tarn::Object
	{
	public:
		Holder( const char* type, const char* name, std::vector<const char*> components )
		    : mComponentTypes( std::move( components ) )
		{
			mType = HashedName( type );
			mName = HashedName( name );
		}
		void Initialise() override
		{
			for ( const char* type : mComponentTypes )
				mComponents.AddComponent( HashedName( type ) );
			mComponents.InitialisePending();
		}
		void Shutdown() override {}

		StateMachineComponent& Machine() { return *GetComponent<StateMachineComponent>(); }

	private:
		std::vector<const char*> mComponentTypes;
	};

	// A prompt of the tutorial, made through the object manager so that it is found by name.
	class Prompt : public Tarn::Object
	{
		TARN_CLASS_NAME( TestPrompt )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<StateMachineComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};

	std::vector<std::string>& Journal()
	{
		static std::vector<std::string> journal;
		return journal;
	}

	// A routine in the shape the behaviours take: enter, update for two frames, then on
	// to STATE_WAIT, which is terminal.
	void TestRoutine( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<StateMachineComponent&>( component );
		const std::string who = machine.mOwner->mName.GetName();
		StepStateProtocol(
		    machine, dt,
		    [&]( StateMachineComponent& m ) {
			    m.mStateTimer = 0.0f;
			    Journal().push_back( who + " enter " + std::to_string( m.mState ) );
		    },
		    [&]( StateMachineComponent& m, float step ) {
			    m.mStateTimer += step;
			    Journal().push_back( who + " update " + std::to_string( m.mState ) );
			    return m.mStateTimer >= 2 * step - 1e-6f;
		    },
		    [&]( StateMachineComponent& m ) -> Go {
			    Journal().push_back( who + " exit " + std::to_string( m.mState ) );
			    return m.mState == STATE_WAIT ? Go::Stay() : Go( STATE_WAIT );
		    } );
	}

	// Where the scripted routine's phases send their machine, by owner name, state and
	// phase; a phase the script does not name takes the protocol's way on.
	using ScriptKey = std::tuple<std::string, int32_t, int32_t>;
	std::map<ScriptKey, Go>& Script()
	{
		static std::map<ScriptKey, Go> script;
		return script;
	}

	// Journals "<owner> <phase> <state>" and answers what the script says.
	void ScriptedRoutine( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<StateMachineComponent&>( component );
		const std::string who = machine.mOwner->mName.GetName();
		auto answer = [&]( const char* phase, InnerStateType inner ) {
			Journal().push_back( who + " " + phase + " " + std::to_string( machine.mState ) );
			const auto found = Script().find( { who, machine.mState, inner } );
			return found == Script().end() ? Go::On() : found->second;
		};
		StepStateProtocol(
		    machine, dt, [&]( StateMachineComponent& ) { return answer( "enter", INNER_STATE_ON_ENTER ); },
		    [&]( StateMachineComponent&, float ) { return answer( "update", INNER_STATE_ON_UPDATE ); },
		    [&]( StateMachineComponent& ) { return answer( "exit", INNER_STATE_ON_EXIT ); } );
	}

	class Machines : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Journal().clear();
			Script().clear();
			Tarn::Services::Add<StateMachineManager>( &mManager );
			mManager.Initialise();
		}

		void TearDown() override
		{
			mHolders.clear();
			Tarn::ObjectManager::Instance().DestroyAll();
			mManager.Shutdown();
			Tarn::Services::Remove<StateMachineManager>();
		}

		Holder& Make( const char* type, const char* name, std::vector<const char*> components = { "StateMachineComponent" } )
		{
			mHolders.push_back( std::make_unique<Holder>( type, name, std::move( components ) ) );
			mHolders.back()->Initialise();
			return *mHolders.back();
		}

		void Destroy( Holder& holder )
		{
			std::erase_if( mHolders, [&]( const std::unique_ptr<Holder>& kept ) { return kept.get() == &holder; } );
		}

		Tarn::ObjectComponent* MakePrompt( const char* name )
		{
			Tarn::TypeRegistry::Instance().RegisterObjectType( Prompt::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new Prompt(); } );
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* prompt = objects.CreateObject( Prompt::ClassHashedName(), name );
			objects.InitialiseObject( prompt );
			return prompt ? prompt->GetComponent<StateMachineComponent>() : nullptr;
		}

		StateMachineManager mManager{ nullptr };
		std::vector<std::unique_ptr<Holder>> mHolders;
	};

	TEST_F( Machines, EachComponentStartsInTheStateOfItsOwnersKind )
	{
		EXPECT_EQ( Make( "MeleeGuard", "Guard1" ).Machine().mState, STATE_NONE );
		StateMachineComponent& barrier = Make( "GateBarrier", "Barrier" ).Machine();
		EXPECT_EQ( barrier.mAI, Routine::GateBarrier );
		EXPECT_EQ( barrier.mState, STATE_NORMAL );
		EXPECT_EQ( barrier.mCurrPhase, 1 );

		auto mine = [&]( const char* type ) -> MineComponent& {
			return *Make( type, type, { "MineComponent" } ).GetComponent<MineComponent>();
		};
		EXPECT_EQ( mine( "SwitchEffect" ).mState, STATE_NONE );
		EXPECT_EQ( mine( "SwitchEffect" ).mAI, Routine::SwitchEffectSpark );
		EXPECT_EQ( mine( "Mine" ).mAI, Routine::Mine );
		EXPECT_EQ( mine( "Mine" ).mState, STATE_NORMAL );
		EXPECT_EQ( mine( "CrystalFocus" ).mAI, Routine::CrystalFocus );
		EXPECT_EQ( mine( "Mirror" ).mAI, Routine::DriftingMirror );
		MineComponent& patrol = mine( "MeleeGuard" );
		EXPECT_EQ( patrol.mAI, 0 ) << "a guard's patrol keeps what it was given";
		EXPECT_EQ( patrol.mState, STATE_NONE );
		EXPECT_FLOAT_EQ( patrol.mWaitTimer, 1.0f );
		EXPECT_TRUE( patrol.mWait );

		auto gate = [&]( const char* type ) -> GateComponent& {
			return *Make( type, type, { "GateComponent" } ).GetComponent<GateComponent>();
		};
		EXPECT_EQ( gate( "Gate" ).mAI, Routine::Gate );
		EXPECT_FALSE( gate( "Gate" ).mIsEnemy );
		EXPECT_EQ( gate( "EnemyGate" ).mAI, Routine::EnemyGate );
		EXPECT_TRUE( gate( "EnemyGate" ).mIsEnemy );
		EXPECT_EQ( gate( "EnemyGate" ).mState, STATE_NORMAL );

		SwitchComponent& light = *Make( "Switch", "Switch1", { "SwitchComponent" } ).GetComponent<SwitchComponent>();
		EXPECT_EQ( light.mState, STATE_NORMAL );
		EXPECT_EQ( light.mCurrPhase, 1 );
		EXPECT_EQ( mManager.Switches().size(), 1u );
		EXPECT_EQ( mManager.Gates().size(), 5u );
	}

	TEST_F( Machines, AGateBarrierRunsItsOwnRoutineWhateverTheFileSays )
	{
		Tarn::FileSystem& files = KelvaneTest::SharedFileSystem( { "StateMachineComponent" } );
		Tarn::ResourceRecord* exchange = files.GetResource( "StateMachineComponent" );
		ASSERT_NE( exchange, nullptr );
		StateMachineComponent& guard = Make( "MeleeGuard", "Guard1" ).Machine();
		guard.mAI = Routine::Prompt1;
		guard.mState = STATE_SEEK;
		guard.mInnerState = INNER_STATE_ON_UPDATE;
		guard.mStateTimer = 1.25f;
		guard.mCurrPhase = 3;
		guard.mMeshSwitchCheck = false;
		guard.mSign = -1;
		guard.mAttackRadius = 2.5f;
		guard.mAttackProjection = { 0.5f, -1.5f };
		guard.Serialise( *exchange );

		StateMachineComponent& barrier = Make( "GateBarrier", "Barrier" ).Machine();
		barrier.Deserialise( *exchange );
		EXPECT_EQ( barrier.mAI, Routine::GateBarrier );
		EXPECT_EQ( barrier.mState, STATE_NORMAL );

		StateMachineComponent& other = Make( "MeleeGuard", "Guard2" ).Machine();
		other.Deserialise( *exchange );
		EXPECT_EQ( other.mAI, Routine::Prompt1 );
		EXPECT_EQ( other.mState, STATE_SEEK );
		EXPECT_EQ( other.mInnerState, INNER_STATE_ON_UPDATE );
		EXPECT_FLOAT_EQ( other.mStateTimer, 1.25f );
		EXPECT_EQ( other.mCurrPhase, 1 ) << "written, but never read back";
		EXPECT_FALSE( other.mMeshSwitchCheck );
		EXPECT_EQ( other.mSign, -1 );
		EXPECT_FLOAT_EQ( other.mAttackRadius, 2.5f );
		EXPECT_FLOAT_EQ( other.mAttackProjection.X, 0.5f );
		EXPECT_FLOAT_EQ( other.mAttackProjection.Y, -1.5f );
	}

	TEST_F( Machines, AMachineLoadedInItsExitPhaseExitsOnItsFirstFrame )
	{
		mManager.MachineRoutine( kFreeCode ) = { "test", &TestRoutine, {} };
		StateMachineComponent& machine = Make( "MeleeGuard", "Guard1" ).Machine();
		machine.mAI = kFreeCode;
		machine.mState = STATE_SEEK;
		machine.mInnerState = INNER_STATE_ON_EXIT;

		mManager.RunMachines( 0.016f );
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "Guard1 exit 2" } ) );
		EXPECT_EQ( machine.mState, STATE_WAIT );
		EXPECT_EQ( machine.mInnerState, INNER_STATE_ON_ENTER );

		// Enter takes a frame and does not count time; two updates, then the exit is
		// seen a frame later; STATE_WAIT's exit names no next state.
		for ( int frame = 0; frame < 6; ++frame )
			mManager.RunMachines( 0.016f );
		const std::vector<std::string> expected = { "Guard1 exit 2",    "Guard1 enter 10", "Guard1 update 10",
			                                        "Guard1 update 10", "Guard1 exit 10",  "Guard1 exit 10",
			                                        "Guard1 exit 10" };
		EXPECT_EQ( Journal(), expected );
		EXPECT_EQ( machine.mInnerState, INNER_STATE_ON_EXIT ) << "terminal";
	}

	TEST_F( Machines, ListsKeepTheirOrderAfterARemovalAndRunInIt )
	{
		mManager.MachineRoutine( kFreeCode ) = { "test", &TestRoutine, {} };
		Holder& a = Make( "MeleeGuard", "A" );
		Holder& b = Make( "MeleeGuard", "B" );
		Holder& c = Make( "MeleeGuard", "C" );
		for ( Holder* holder : { &a, &b, &c } )
			holder->Machine().mAI = kFreeCode;
		EXPECT_EQ( mManager.Machines(),
		           ( std::vector<StateMachineComponent*>{ &a.Machine(), &b.Machine(), &c.Machine() } ) );
		Destroy( b );
		EXPECT_EQ( mManager.Machines(), ( std::vector<StateMachineComponent*>{ &a.Machine(), &c.Machine() } ) );
		mManager.RunMachines( 0.016f );
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "A enter 1", "C enter 1" } ) );
	}

	TEST_F( Machines, AMachineWhoseOwnerLacksWhatItsRoutineNeedsIsSkipped )
	{
		mManager.MachineRoutine( kFreeCode ) = { "test", &TestRoutine, { HashedName( "TransformComponent" ) } };
		Make( "MeleeGuard", "Bare" ).Machine().mAI = kFreeCode;
		Make( "MeleeGuard", "Whole", { "TransformComponent", "StateMachineComponent" } ).Machine().mAI = kFreeCode;
		Make( "MeleeGuard", "Frozen" ).Machine().mAI = kSecondFreeCode; // no routine at all
		mManager.RunMachines( 0.016f );
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "Whole enter 1" } ) );
	}

	// What each list runs: the families file every code into its own list's table, the
	// routines still to come included (they stand there without a routine).
	TEST_F( Machines, EachFamilyFilesItsCodesIntoItsOwnList )
	{
		auto codes = []( const std::map<int32_t, StateMachineManager::RoutineEntry>& table ) {
			std::set<int32_t> filed;
			for ( const auto& [code, entry] : table )
				filed.insert( code );
			return filed;
		};
		const std::set<int32_t> machines = { Routine::PlayerSequences, Routine::PlayerHalo, Routine::Guard,
			                                 Routine::WhiteGuard,      Routine::GateBarrier, Routine::GuardianHand,
			                                 Routine::GuardianRising,  Routine::GuardianFoot, Routine::BreakablePart,
			                                 Routine::CupidAim,        Routine::CupidLovebug, Routine::CupidHeart,
			                                 Routine::Chaser,          Routine::HitFade1,   Routine::HitFade2,
			                                 Routine::HintFader,       Routine::Prompt1,    Routine::Prompt2,
			                                 Routine::Prompt3 };
		EXPECT_EQ( codes( mManager.MachineRoutines() ), machines );
		EXPECT_EQ( codes( mManager.MineRoutines() ),
		           ( std::set<int32_t>{ Routine::BlueMine, Routine::Mine, Routine::SwitchEffectSpark, Routine::DriftingMirror,
		                                Routine::CrystalFocus, Routine::GleamTile } ) );
		EXPECT_EQ( codes( mManager.GateRoutines() ), ( std::set<int32_t>{ Routine::Gate, Routine::EnemyGate } ) );
		EXPECT_STREQ( mManager.SwitchRoutine().mName, "switch" );
		EXPECT_STREQ( mManager.RangedRoutine().mName, "ranged guard" );
		// Built so far: all but the boss parts'.
		EXPECT_NE( mManager.MachineRoutine( Routine::PlayerHalo ).mRun, nullptr );
		EXPECT_NE( mManager.MineRoutine( Routine::GleamTile ).mRun, nullptr );
		EXPECT_NE( mManager.MachineRoutine( Routine::Guard ).mRun, nullptr );
		EXPECT_NE( mManager.RangedRoutine().mRun, nullptr );
		EXPECT_EQ( mManager.MachineRoutine( Routine::GuardianHand ).mRun, nullptr );
		EXPECT_NE( mManager.SwitchRoutine().mRun, nullptr );
		EXPECT_NE( mManager.GateRoutine( Routine::Gate ).mRun, nullptr );
		EXPECT_NE( mManager.GateRoutine( Routine::EnemyGate ).mRun, nullptr );
	}

	TEST_F( Machines, EachRoutineNeedsWhatItWorksOnAndNoMore )
	{
		auto needs = []( const StateMachineManager::RoutineEntry& entry ) {
			std::set<std::string> names;
			for ( const HashedName& need : entry.mNeeds )
				names.insert( need.GetName() );
			return names;
		};
		using Names = std::set<std::string>;
		// A guard's patrol data is optional: without it the guard stands and waits.
		EXPECT_EQ( needs( mManager.MachineRoutine( Routine::Guard ) ), ( Names{ "TransformComponent", "EmitterComponent" } ) );
		EXPECT_EQ( needs( mManager.MachineRoutine( Routine::WhiteGuard ) ), needs( mManager.MachineRoutine( Routine::Guard ) ) );
		// The hit fade hides a part's light-cone caster when it has one.
		EXPECT_EQ( needs( mManager.MachineRoutine( Routine::HitFade1 ) ),
		           ( Names{ "StatsComponent", "TransformComponent", "MeshComponent" } ) );
		EXPECT_EQ( needs( mManager.MachineRoutine( Routine::HitFade2 ) ), needs( mManager.MachineRoutine( Routine::HitFade1 ) ) );
		EXPECT_TRUE( needs( mManager.MineRoutine( Routine::SwitchEffectSpark ) ).count( "EmitterComponent" ) );
		EXPECT_TRUE( needs( mManager.MineRoutine( Routine::CrystalFocus ) ).count( "EmitterComponent" ) );
		EXPECT_TRUE( needs( mManager.MachineRoutine( Routine::GateBarrier ) ).empty() );
		EXPECT_EQ( needs( mManager.MachineRoutine( Routine::PlayerHalo ) ), ( Names{ "TransformComponent" } ) );

		// Every need names a component type the game registers (the vertex component
		// comes with the boss fights), so a misspelt need cannot freeze a machine.
		const Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
		auto checkTable = [&]( const std::map<int32_t, StateMachineManager::RoutineEntry>& table ) {
			for ( const auto& [code, entry] : table )
				for ( const HashedName& need : entry.mNeeds )
					EXPECT_TRUE( types.HasComponentType( need ) || need.GetName() == Needs::Vertex )
					    << entry.mName << " needs " << need.GetName();
		};
		checkTable( mManager.MachineRoutines() );
		checkTable( mManager.MineRoutines() );
		checkTable( mManager.GateRoutines() );
	}

	TEST_F( Machines, ACodeFiledTwiceKeepsItsFirstRoutineAndSaysSo )
	{
		KelvaneTest::LogCapture log;
		mManager.FileMachineRoutine( Routine::Guard, MakeRoutine( "impostor", &TestRoutine, {} ) );
		EXPECT_STREQ( mManager.MachineRoutine( Routine::Guard ).mName, "guard" );
		EXPECT_NE( mManager.MachineRoutine( Routine::Guard ).mRun, &TestRoutine );
		EXPECT_TRUE( log.Contains( "Routine code 2 is filed twice: guard keeps it." ) );
	}

	class Protocol : public Machines
	{
	protected:
		StateMachineComponent& Scripted( const char* name, StateType state, InnerStateType inner = INNER_STATE_ON_ENTER )
		{
			mManager.MachineRoutine( kFreeCode ) = { "scripted", &ScriptedRoutine, {} };
			StateMachineComponent& machine = Make( "MeleeGuard", name ).Machine();
			machine.mAI = kFreeCode;
			machine.mState = state;
			machine.mInnerState = inner;
			return machine;
		}

		void Frames( int count )
		{
			for ( int i = 0; i < count; ++i )
				mManager.RunMachines( 0.016f );
		}

		// The journal lines of one machine, in order.
		static std::vector<std::string> Of( const std::string& who )
		{
			std::vector<std::string> lines;
			for ( const std::string& line : Journal() )
				if ( line.compare( 0, who.size() + 1, who + " " ) == 0 )
					lines.push_back( line.substr( who.size() + 1 ) );
			return lines;
		}
	};

	TEST_F( Protocol, AnEntryCanTakeMoreFramesOrGoBackToTheSavedState )
	{
		StateMachineComponent& held = Scripted( "Held", STATE_NORMAL );
		Script().insert_or_assign( { "Held", STATE_NORMAL, INNER_STATE_ON_ENTER }, Go::Stay() );
		StateMachineComponent& back = Scripted( "Back", STATE_REPAIR );
		back.mSavedState = STATE_SEEK;
		back.mSavedInnerState = INNER_STATE_ON_UPDATE;
		Script().insert_or_assign( { "Back", STATE_REPAIR, INNER_STATE_ON_ENTER }, Go::Saved( back ) );

		Frames( 3 );
		EXPECT_EQ( Of( "Held" ), ( std::vector<std::string>{ "enter 8", "enter 8", "enter 8" } ) );
		EXPECT_EQ( held.mInnerState, INNER_STATE_ON_ENTER );
		// Back in the middle of the saved state: its update runs, not its entry.
		EXPECT_EQ( Of( "Back" ), ( std::vector<std::string>{ "enter 4", "update 2", "exit 2" } ) );

		Script().clear();
		Frames( 1 );
		EXPECT_EQ( held.mInnerState, INNER_STATE_ON_UPDATE ) << "once let go, the entry ends";
	}

	TEST_F( Protocol, AnUpdateCanPauseOrStartItsStateAgain )
	{
		StateMachineComponent& patrol = Scripted( "Patrol", STATE_DAZED, INNER_STATE_ON_UPDATE );
		Script().insert_or_assign( { "Patrol", STATE_DAZED, INNER_STATE_ON_UPDATE }, Go( STATE_PAUSE ) );
		StateMachineComponent& gleam = Scripted( "Gleam", STATE_NORMAL, INNER_STATE_ON_UPDATE );
		gleam.mStateTimer = 3.0f;
		Script().insert_or_assign( { "Gleam", STATE_NORMAL, INNER_STATE_ON_UPDATE }, Go::Again() );

		Frames( 1 );
		EXPECT_EQ( patrol.mState, STATE_PAUSE );
		EXPECT_EQ( patrol.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_EQ( gleam.mState, STATE_NORMAL );
		EXPECT_EQ( gleam.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_FLOAT_EQ( gleam.mStateTimer, 3.0f ) << "the protocol leaves timers to the routine";
		Frames( 2 );
		EXPECT_EQ( Of( "Patrol" ), ( std::vector<std::string>{ "update 9", "enter 12", "update 12" } ) );
		EXPECT_EQ( Of( "Gleam" ), ( std::vector<std::string>{ "update 8", "enter 8", "update 8" } ) );
	}

	TEST_F( Protocol, AnExitCanStayAndAnyPhaseCanGoStraightToAnyState )
	{
		StateMachineComponent& held = Scripted( "Held", STATE_REPAIR, INNER_STATE_ON_EXIT );
		Script().insert_or_assign( { "Held", STATE_REPAIR, INNER_STATE_ON_EXIT }, Go::Stay() );
		StateMachineComponent& fromEnter = Scripted( "FromEnter", STATE_SEEK, INNER_STATE_ON_ENTER );
		Script().insert_or_assign( { "FromEnter", STATE_SEEK, INNER_STATE_ON_ENTER }, Go( STATE_END ) );
		StateMachineComponent& fromUpdate = Scripted( "FromUpdate", STATE_WAIT, INNER_STATE_ON_UPDATE );
		Script().insert_or_assign( { "FromUpdate", STATE_WAIT, INNER_STATE_ON_UPDATE }, Go( STATE_END ) );
		StateMachineComponent& fromExit = Scripted( "FromExit", STATE_NORMAL, INNER_STATE_ON_EXIT );
		Script().insert_or_assign( { "FromExit", STATE_NORMAL, INNER_STATE_ON_EXIT }, Go( STATE_END, INNER_STATE_ON_UPDATE ) );
		// A pair as stored may hold any number; an inner state outside the three does nothing.
		StateMachineComponent& odd = Scripted( "Odd", STATE_NORMAL, INNER_STATE_ON_UPDATE );
		Script().insert_or_assign( { "Odd", STATE_NORMAL, INNER_STATE_ON_UPDATE }, Go::To( 40, 7 ) );

		Frames( 1 );
		EXPECT_EQ( fromEnter.mState, STATE_END );
		EXPECT_EQ( fromEnter.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_EQ( fromUpdate.mState, STATE_END );
		EXPECT_EQ( fromUpdate.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_EQ( fromExit.mState, STATE_END );
		EXPECT_EQ( fromExit.mInnerState, INNER_STATE_ON_UPDATE ) << "straight into the middle of a state";
		EXPECT_EQ( odd.mState, 40 );
		Frames( 2 );
		EXPECT_EQ( Of( "Held" ), ( std::vector<std::string>{ "exit 4", "exit 4", "exit 4" } ) );
		EXPECT_EQ( held.mState, STATE_REPAIR );
		EXPECT_EQ( held.mInnerState, INNER_STATE_ON_EXIT );
		EXPECT_EQ( Of( "Odd" ), ( std::vector<std::string>{ "update 8" } ) );
		EXPECT_EQ( Of( "FromExit" ), ( std::vector<std::string>{ "exit 8", "update 11", "exit 11" } ) );
	}

	TEST_F( Protocol, AnExitThatNamesNoStateIsTerminal )
	{
		StateMachineComponent& machine = Scripted( "Last", STATE_DIE );
		Frames( 5 );
		EXPECT_EQ( Of( "Last" ), ( std::vector<std::string>{ "enter 13", "update 13", "exit 13", "exit 13", "exit 13" } ) );
		EXPECT_EQ( machine.mState, STATE_DIE );
		EXPECT_EQ( machine.mInnerState, INNER_STATE_ON_EXIT );
	}

	TEST_F( Machines, OnlyRealSwitchesRunTheSwitchRoutine )
	{
		static int runs = 0;
		runs = 0;
		mManager.SwitchRoutine() = { "test", []( StateMachineManager&, Tarn::ObjectComponent&, float ) { ++runs; }, {} };
		Make( "Switch", "Switch1", { "SwitchComponent" } );
		Make( "StunEffect", "Stun1", { "SwitchComponent" } );
		mManager.RunMachines( 0.016f );
		EXPECT_EQ( runs, 1 );
		EXPECT_EQ( mManager.Switches().size(), 2u );
	}

	TEST_F( Machines, Message26DismissesTheMovementPromptEvenWithoutTheBeamPrompt )
	{
		auto* wasd = static_cast<StateMachineComponent*>( MakePrompt( "WASD" ) );
		ASSERT_NE( wasd, nullptr );
		wasd->mState = STATE_ENGAGE; // on screen
		mManager.RaiseMessage( Message::MovementPromptDone );
		EXPECT_EQ( wasd->mState, STATE_DIE );
		EXPECT_EQ( wasd->mInnerState, INNER_STATE_ON_ENTER );

		auto* beam = static_cast<StateMachineComponent*>( MakePrompt( "BeamClick" ) );
		ASSERT_NE( beam, nullptr );
		beam->mState = STATE_NONE;
		beam->mInnerState = INNER_STATE_ON_UPDATE;
		mManager.RaiseMessage( Message::MovementPromptDone );
		EXPECT_EQ( beam->mState, STATE_NONE ) << "the movement prompt was dismissed already: answered once";
		wasd->mState = STATE_ENGAGE;
		mManager.RaiseMessage( Message::MovementPromptDone );
		EXPECT_EQ( wasd->mState, STATE_DIE );
		EXPECT_EQ( beam->mState, STATE_NORMAL );
		EXPECT_EQ( beam->mInnerState, INNER_STATE_ON_UPDATE ) << "its inner state is left alone";
		mManager.RaiseMessage( kUnansweredMessage );
		EXPECT_EQ( beam->mState, STATE_NORMAL );
		mManager.RaiseMessage( Message::BeamPromptDone );
		EXPECT_EQ( beam->mState, STATE_DIE );
		EXPECT_EQ( beam->mInnerState, INNER_STATE_ON_ENTER );
	}

	TEST_F( Machines, ShutdownEmptiesTheListsAndLeavesTheMessageList )
	{
		Make( "MeleeGuard", "Guard1", { "StateMachineComponent", "MineComponent", "RangedComponent" } );
		EXPECT_EQ( mManager.mOnMessage.Count(), 1u );
		mManager.Shutdown();
		EXPECT_TRUE( mManager.Machines().empty() && mManager.Mines().empty() && mManager.Ranged().empty() );
		EXPECT_EQ( mManager.mOnMessage.Count(), 0u );
		mManager.Initialise();
	}

	TEST_F( Machines, ThePlayersNebulaContactFlagsTheNebulaAndItsCover )
	{
		Physics::CollisionManager collisions( nullptr );
		collisions.Initialise();
		auto* nebula = static_cast<StateMachineComponent*>( MakePrompt( "Nebula7" ) );
		auto* cover = static_cast<StateMachineComponent*>( MakePrompt( "NebulaCover3" ) );
		ASSERT_TRUE( nebula && cover );
		nebula->mSign = 3;
		collisions.mOnNotify.Raise( "Nebula7", true );
		EXPECT_TRUE( nebula->mActionFlag );
		EXPECT_TRUE( cover->mActionFlag );
		collisions.mOnNotify.Raise( "Nebula7", false );
		EXPECT_FALSE( nebula->mActionFlag || cover->mActionFlag );
		collisions.mOnNotify.Raise( "NoSuchNebula", true );
		collisions.Shutdown();
		EXPECT_EQ( collisions.mOnNotify.Count(), 0u );
	}
}
